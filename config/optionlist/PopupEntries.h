// The entries of the option list's popup and what choosing one does, as plain data and functions: the
// option's value strings, "Inherit", "Edit..." and "Load default value", their heights and check marks.
#pragma once

#include <string>
#include <vector>

#include "config/optionlist/OptionListGeometry.h"
#include "settings/InheritingOption.h"

namespace tessera {

enum TListItemType : int { pliValueString = 0, pliInherit = 1, pliEdit = 2, pliLoadDefault = 3 };

class TListItem {
public:
  TListItem(int _index, TListItemType _itemType, std::wstring _text, TVisualControlType _visualControlType)
      : FIndex(_index), FVisualControlType(_visualControlType), FItemType(_itemType), FText(std::move(_text)) {}

  int Index() const noexcept { return FIndex; }
  TListItemType ItemType() const noexcept { return FItemType; }
  const std::wstring& Text() const noexcept { return FText; }
  TVisualControlType VisualControlType() const noexcept { return FVisualControlType; }
  bool HasVisualControl() const noexcept { return FVisualControlType != vcNone; }
  // The entry's box is checked for the option as it is now (_idxValueString: the entry's index).
  bool VisualControlChecked(const TCustomInheritingOption* _option, int _idxValueString) const;
  // A line above the entry: the entries after the value strings, unless one of them is the first.
  bool HasSeparator() const noexcept { return FItemType != pliValueString && FIndex > 0; }

private:
  int FIndex;
  TVisualControlType FVisualControlType;
  TListItemType FItemType;
  std::wstring FText;
};

// The three texts of a list's popup.
struct TPopupTexts {
  std::wstring Inherit;      // "Inherit"
  std::wstring Edit;         // "Edit..."
  std::wstring LoadDefault;  // "Load default value"
};

class TInternalList {
public:
  // _rowHeight: the option list's row height (16 without a list).
  explicit TInternalList(const TListMetrics& _metrics = TListMetrics{16, 13, 13, 96}) : FMetrics(_metrics) {}

  void Clear();
  // The entries of the option, in order; none without an option. True when there is at least one.
  bool BuildEntries(const TCustomInheritingOption* _option, const TPopupTexts& _texts);
  const TListItem& AddItem(TListItemType _itemType, std::wstring _text, TVisualControlType _visualControlType);
  bool ValidIndex(int _index) const noexcept { return _index >= 0 && _index < Count(); }
  int Count() const noexcept { return static_cast<int>(FItems.size()); }
  const TListItem& GetItem(int _index) const noexcept { return FItems[_index]; }
  // The row height, plus room for the separator; 0 for an invalid index.
  int ItemHeight(int _index) const noexcept;
  // The first _maxItems entries together.
  int ItemsHeight(int _maxItems) const noexcept;
  void SetMetrics(const TListMetrics& _metrics) noexcept { FMetrics = _metrics; }
  const TListMetrics& Metrics() const noexcept { return FMetrics; }

  int SelectedIndex = -1;

private:
  std::vector<TListItem> FItems;
  TListMetrics FMetrics;
};

// What choosing an entry did to the option, and whether the popup closes.
struct TPopupChoice {
  bool Close = true;
  bool EditRequested = false;  // "Edit...": the row editor's edit action runs next
};
// Applies the entry at _index to the option (an invalid index only closes the popup).
TPopupChoice ChooseEntry(TCustomInheritingOption* _option, const TInternalList& _entries, int _index);

// At most this many entries are shown without scrolling.
inline constexpr int kPopupVisibleEntries = 20;

}  // namespace tessera
