#include "support/WindowSearch.h"

namespace tessera::test {
namespace {

BOOL CALLBACK Visit(HWND hwnd, LPARAM lp) { return (*reinterpret_cast<const std::function<bool(HWND)>*>(lp))(hwnd); }

}  // namespace

void ForEachWindow(const std::function<bool(HWND)>& visit) {
  ::EnumWindows(Visit, reinterpret_cast<LPARAM>(&visit));
}

void ForEachChildWindow(HWND parent, const std::function<bool(HWND)>& visit) {
  ::EnumChildWindows(parent, Visit, reinterpret_cast<LPARAM>(&visit));
}

}  // namespace tessera::test
