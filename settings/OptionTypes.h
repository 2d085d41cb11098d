// Enumerations, flag sets and callable types shared by every option kind.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

namespace tessera {

// The value text of an option that takes its value from its parent.
inline constexpr wchar_t kInheritText[] = L"inherit";

class TCustomInheritingOption;
class TCustomOptionStore;

// A set of enumeration values, one bit per value (bit n = ordinal n).
template <typename E>
class TEnumSet {
public:
  constexpr TEnumSet() noexcept = default;
  constexpr TEnumSet(std::initializer_list<E> _items) noexcept {
    for (E e : _items) FBits |= Bit(e);
  }
  static constexpr TEnumSet FromBits(std::uint32_t _bits) noexcept {
    TEnumSet s;
    s.FBits = _bits;
    return s;
  }

  constexpr bool Contains(E _item) const noexcept { return (FBits & Bit(_item)) != 0; }
  constexpr bool IsEmpty() const noexcept { return FBits == 0; }
  constexpr std::uint32_t Bits() const noexcept { return FBits; }
  constexpr TEnumSet& Include(E _item) noexcept {
    FBits |= Bit(_item);
    return *this;
  }
  constexpr TEnumSet& Exclude(E _item) noexcept {
    FBits &= ~Bit(_item);
    return *this;
  }
  // Union, difference and intersection.
  constexpr TEnumSet operator+(TEnumSet _other) const noexcept { return FromBits(FBits | _other.FBits); }
  constexpr TEnumSet operator-(TEnumSet _other) const noexcept { return FromBits(FBits & ~_other.FBits); }
  constexpr TEnumSet operator*(TEnumSet _other) const noexcept { return FromBits(FBits & _other.FBits); }
  constexpr bool operator==(const TEnumSet&) const noexcept = default;

private:
  static constexpr std::uint32_t Bit(E _item) noexcept { return std::uint32_t{1} << static_cast<unsigned>(_item); }
  std::uint32_t FBits = 0;
};

// Hints for the option list control; the engine only computes them.
enum TOptionFlag : int {
  flReadOnlyEdit,         // the value cannot be typed, only chosen
  flShowEditButton,       // the editor shows an edit button next to the value
  flValueStringsOnly,     // only the value strings are valid values
  flPathEllipsis,         // a path, shortened with an ellipsis when it does not fit
  flSpaceShowsPopup,      // the space key opens the value-string popup
  flHideInheritInPopup,   // the popup offers no inherit entry
  flValueRequired,        // an empty value is not acceptable
};
using TOptionFlags = TEnumSet<TOptionFlag>;

// The small control drawn in front of a value or of each value string.
enum TVisualControlType : int { vcNone, vcCheckBox, vcRadioButton, vcColorBox };

enum TOptionStorageFlag : int { sfSave, sfLoad };
using TOptionStorageFlags = TEnumSet<TOptionStorageFlag>;

// Called after an option's value or inherit flag changed.
using TValueModifiedEvent = std::function<void(TCustomInheritingOption* _option)>;
// Fills in the help text of an option.
using THelpTextEvent = std::function<void(TCustomInheritingOption* _option, std::wstring& _helpText)>;
// Rewrites a text in place (before saving or after loading a text option).
using TProcessStringProc = std::function<void(std::wstring& _text)>;
// The store's internal change handler; the sender is the store.
using TOptionStoreNotifyEvent = std::function<void(TCustomOptionStore* _sender)>;

}  // namespace tessera
