// Benchmark (not a test): the option list with a large store against a plain owner-drawn LBS_NODATA list box
// of as many rows that draws one text per row, in the same run, in windows of the same size and font. The two
// take turns in every round, so that both see the same load of the machine.
//   assign + paint  the store assigned (the rows built, the count set, the first option row selected with
//                   its row editor) and the screen painted; the plain list: its count set, the screen painted
//   page down       one page scrolled with the scroll bar and painted
//   paint           the screen painted again
// Each step is timed over many rounds (median and 90th percentile, ms). The same steps with 1,000 and 100,000
// options show which of them grow with the number of rows: building the rows (timed alone) should be the
// only one.
// Run: scripts/wine-run build/win64/tests/bench_optionlist.exe
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "config/optionlist/DisplayList.h"
#include "support/OptionListHost.h"
#include "support/OptionListSample.h"

using namespace tessera;

namespace {

using bench::Now;

constexpr int kRounds = 400;

struct TStats {
  double median, p90;
};

TStats Summarise(const std::vector<double>& samples) {
  return {bench::Percentile(samples, 50), bench::Percentile(samples, 90)};
}

// Paints everything that waits to be painted in the window and its children, now.
void PaintNow(HWND window) {
  ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  ::GdiFlush();
}

void Drain() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

template <typename Step>
double Timed(Step&& step) {
  const double t0 = Now();
  step();
  return Now() - t0;
}

// The baseline: a top-level window like the option list's host with a LISTBOX of LBS_NODATA and fixed
// owner-drawn rows, each row one text.
class TPlainList {
public:
  TPlainList(test::TOptionListHost& like, int rowHeight) : FFont(like.Font()) {
    static const bool registered = [] {
      WNDCLASSEXW wc{};
      wc.cbSize = sizeof(wc);
      wc.lpfnWndProc = &WindowProc;
      wc.hInstance = ::GetModuleHandleW(nullptr);
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      wc.lpszClassName = L"TesseraBenchPlainList";
      return ::RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
    RECT outer{}, list{};
    ::GetWindowRect(like.Window(), &outer);
    ::GetWindowRect(like.List().Handle(), &list);
    ::MapWindowPoints(nullptr, like.Window(), reinterpret_cast<POINT*>(&list), 2);
    FWindow = ::CreateWindowExW(0, L"TesseraBenchPlainList", L"Plain list", ::GetWindowLongW(like.Window(), GWL_STYLE),
                                outer.right + 10, outer.top, outer.right - outer.left, outer.bottom - outer.top,
                                nullptr, nullptr, ::GetModuleHandleW(nullptr), this);
    FList = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", nullptr,
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_NODATA | LBS_NOINTEGRALHEIGHT,
                              list.left, list.top, list.right - list.left, list.bottom - list.top, FWindow, nullptr,
                              ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(FList, WM_SETFONT, reinterpret_cast<WPARAM>(FFont), FALSE);
    ::SendMessageW(FList, LB_SETITEMHEIGHT, 0, rowHeight);
    ::ShowWindow(FWindow, SW_SHOWNOACTIVATE);
  }
  HWND List() const { return FList; }

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
      ::SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<TPlainList*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_DRAWITEM && self) {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      RECT r = item->rcItem;
      ::FillRect(item->hDC, &r, ::GetSysColorBrush(COLOR_WINDOW));
      if (item->itemID != static_cast<UINT>(-1)) {
        const std::wstring text = L"Option " + std::to_wstring(item->itemID + 1);
        HGDIOBJ old = ::SelectObject(item->hDC, self->FFont);
        ::SetBkMode(item->hDC, TRANSPARENT);
        r.left += 4;
        ::DrawTextW(item->hDC, text.c_str(), static_cast<int>(text.size()), &r, DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
        ::SelectObject(item->hDC, old);
      }
      return TRUE;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
  }

  HFONT FFont;
  HWND FWindow = nullptr;
  HWND FList = nullptr;
};

// Scrolls back to the top (untimed) when the next page down would not move any more.
void KeepRoomBelow(HWND list, int rows, int page) {
  if (static_cast<int>(::SendMessageW(list, LB_GETTOPINDEX, 0, 0)) + 2 * page >= rows) {
    ::SendMessageW(list, WM_VSCROLL, SB_TOP, 0);
    PaintNow(list);
    Drain();
  }
}

void Line(const char* what, const TStats& list, const TStats& plain) {
  std::printf("  %-15s %8.3f %8.3f   %8.3f %8.3f   %5.2f\n", what, list.median, list.p90, plain.median, plain.p90,
              list.median / plain.median);
}

}  // namespace

int main() {
  test::TOptionListHost host;
  host.Activate();
  TvOptionList& list = host.List();
  const HWND window = list.Handle();
  TPlainList plain(host, list.Metrics().RowHeight);
  const HWND baseline = plain.List();
  RECT client{};
  ::GetClientRect(window, &client);
  const int page = client.bottom / list.Metrics().RowHeight;

  std::printf("Option list against a plain LBS_NODATA owner-drawn list box: ms, median and 90th percentile of %d rounds\n",
              kRounds);
  for (const auto& [groups, perGroup] : {std::pair{10, 100}, std::pair{100, 100}, std::pair{1000, 100}}) {
    auto store = test::MakeLargeStore(groups, perGroup);
    for (int g = 0; g < store->GetGroupCount(); ++g) store->GetGroup(g)->SetCollapsed(false);
    // The two steps of an assignment that walk the store: building the rows, and handing the help-text
    // handler to every option (the store's setter does that).
    std::vector<double> build, help, assign[2], scroll[2], paint[2];
    for (int i = 0; i < 20; ++i) {
      TDisplayList rows;
      build.push_back(Timed([&] { rows.PopulateFromOptionStore(store.get()); }));
      help.push_back(Timed([&] { store->SetOnHelpText([&list](TCustomInheritingOption*, std::wstring&) { (void)list; }); }));
    }
    int rows = 0;
    for (int i = 0; i < kRounds; ++i) {
      list.SetOptionStore(nullptr);
      ::SendMessageW(baseline, LB_SETCOUNT, 0, 0);
      PaintNow(window);
      PaintNow(baseline);
      Drain();
      assign[0].push_back(Timed([&] {
        list.SetOptionStore(store.get());
        PaintNow(window);
      }));
      rows = list.DisplayList().Count();
      assign[1].push_back(Timed([&] {
        ::SendMessageW(baseline, LB_SETCOUNT, static_cast<WPARAM>(rows), 0);
        PaintNow(baseline);
      }));
      Drain();
    }
    for (int i = 0; i < kRounds; ++i) {
      KeepRoomBelow(window, rows, page);
      KeepRoomBelow(baseline, rows, page);
      scroll[0].push_back(Timed([&] {
        ::SendMessageW(window, WM_VSCROLL, SB_PAGEDOWN, 0);
        PaintNow(window);
      }));
      scroll[1].push_back(Timed([&] {
        ::SendMessageW(baseline, WM_VSCROLL, SB_PAGEDOWN, 0);
        PaintNow(baseline);
      }));
      Drain();
    }
    for (int i = 0; i < kRounds; ++i) {
      ::InvalidateRect(window, nullptr, FALSE);
      ::InvalidateRect(baseline, nullptr, FALSE);
      paint[0].push_back(Timed([&] { PaintNow(window); }));
      paint[1].push_back(Timed([&] { PaintNow(baseline); }));
    }
    list.SetOptionStore(nullptr);
    std::printf("\n%d options in %d groups, %d rows; alone: building the rows %.3f ms, the help handlers %.3f ms\n",
                groups * perGroup, groups, rows, Summarise(build).median, Summarise(help).median);
    std::printf("  %-15s %17s   %17s   %5s\n", "", "option list", "plain list", "ratio");
    Line("assign + paint", Summarise(assign[0]), Summarise(assign[1]));
    Line("page down", Summarise(scroll[0]), Summarise(scroll[1]));
    Line("paint", Summarise(paint[0]), Summarise(paint[1]));
  }
  return 0;
}
