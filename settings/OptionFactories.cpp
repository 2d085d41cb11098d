// The store's typed factories, one per option kind.
#include "settings/OptionStore.h"

namespace tessera {

TStringOption* TCustomOptionStore::CreateStringOption(std::wstring _defaultValue, std::wstring _name,
                                                      std::wstring _caption, int _helpID) {
  return Create<TStringOption>(std::move(_defaultValue), std::move(_name), std::move(_caption), _helpID);
}

TIntegerOption* TCustomOptionStore::CreateIntegerOption(int _defaultValue, std::wstring _name, std::wstring _caption,
                                                        int _helpID) {
  return Create<TIntegerOption>(_defaultValue, std::move(_name), std::move(_caption), _helpID);
}

TBooleanOption* TCustomOptionStore::CreateBooleanOption(bool _defaultValue, std::wstring _name, std::wstring _caption,
                                                        int _helpID) {
  return Create<TBooleanOption>(_defaultValue, std::move(_name), std::move(_caption), _helpID);
}

TInheritingStringOption* TCustomOptionStore::CreateInheritingStringOption(TCustomInheritingStringOption* _parent,
                                                                          bool _inheritByDefault,
                                                                          std::wstring _defaultValue,
                                                                          std::wstring _name, std::wstring _caption,
                                                                          int _helpID) {
  return Create<TInheritingStringOption>(_parent, _inheritByDefault, std::move(_defaultValue), std::move(_name),
                                         std::move(_caption), _helpID);
}

TInheritingIntegerOption* TCustomOptionStore::CreateInheritingIntegerOption(TCustomInheritingIntegerOption* _parent,
                                                                            bool _inheritByDefault, int _defaultValue,
                                                                            std::wstring _name, std::wstring _caption,
                                                                            int _helpID) {
  return Create<TInheritingIntegerOption>(_parent, _inheritByDefault, _defaultValue, std::move(_name),
                                          std::move(_caption), _helpID);
}

TInheritingBooleanOption* TCustomOptionStore::CreateInheritingBooleanOption(TCustomInheritingBooleanOption* _parent,
                                                                            bool _inheritByDefault, bool _defaultValue,
                                                                            std::wstring _name, std::wstring _caption,
                                                                            int _helpID) {
  return Create<TInheritingBooleanOption>(_parent, _inheritByDefault, _defaultValue, std::move(_name),
                                          std::move(_caption), _helpID);
}

TColorOption* TCustomOptionStore::CreateColorOption(int _defaultValue, std::wstring _name, std::wstring _caption,
                                                    int _helpID) {
  return Create<TColorOption>(_defaultValue, std::move(_name), std::move(_caption), _helpID);
}

TSizeOption* TCustomOptionStore::CreateSizeOption(std::wstring _defaultValue, std::wstring _name, std::wstring _caption,
                                                  int _helpID) {
  return Create<TSizeOption>(std::move(_defaultValue), std::move(_name), std::move(_caption), _helpID);
}

TAgeOption* TCustomOptionStore::CreateAgeOption(std::wstring _defaultValue, std::wstring _name, std::wstring _caption,
                                                int _helpID) {
  return Create<TAgeOption>(std::move(_defaultValue), std::move(_name), std::move(_caption), _helpID);
}

TFontOption* TCustomOptionStore::CreateFontOption(TFontOptionValue _defaultValue, std::wstring _name,
                                                  std::wstring _caption, int _helpID) {
  return Create<TFontOption>(std::move(_defaultValue), std::move(_name), std::move(_caption), _helpID);
}

TSetOption* TCustomOptionStore::CreateSetOption(TSetOptionValue _defaultValue, std::vector<std::wstring> _validMembers,
                                                std::wstring _name, std::wstring _caption, int _helpID) {
  return Create<TSetOption>(std::move(_defaultValue), std::move(_validMembers), std::move(_name), std::move(_caption),
                            _helpID);
}

TCombiningStringOption* TCustomOptionStore::CreateCombiningStringOption(TCombiningStringOption* _parent,
                                                                        std::wstring _defaultValue, std::wstring _name,
                                                                        std::wstring _caption, wchar_t _separator,
                                                                        int _helpID) {
  return Create<TCombiningStringOption>(_parent, std::move(_defaultValue), std::move(_name), std::move(_caption),
                                        _separator, _helpID);
}

TInheritingColorOption* TCustomOptionStore::CreateInheritingColorOption(TCustomInheritingColorOption* _parent,
                                                                        bool _inheritByDefault, int _defaultValue,
                                                                        std::wstring _name, std::wstring _caption,
                                                                        int _helpID) {
  return Create<TInheritingColorOption>(_parent, _inheritByDefault, _defaultValue, std::move(_name),
                                        std::move(_caption), _helpID);
}

TInheritingSizeOption* TCustomOptionStore::CreateInheritingSizeOption(TCustomInheritingSizeOption* _parent,
                                                                      bool _inheritByDefault,
                                                                      std::wstring _defaultValue, std::wstring _name,
                                                                      std::wstring _caption, int _helpID) {
  return Create<TInheritingSizeOption>(_parent, _inheritByDefault, std::move(_defaultValue), std::move(_name),
                                       std::move(_caption), _helpID);
}

TInheritingAgeOption* TCustomOptionStore::CreateInheritingAgeOption(TCustomInheritingAgeOption* _parent,
                                                                    bool _inheritByDefault, std::wstring _defaultValue,
                                                                    std::wstring _name, std::wstring _caption,
                                                                    int _helpID) {
  return Create<TInheritingAgeOption>(_parent, _inheritByDefault, std::move(_defaultValue), std::move(_name),
                                      std::move(_caption), _helpID);
}

TInheritingFontOption* TCustomOptionStore::CreateInheritingFontOption(TCustomInheritingFontOption* _parent,
                                                                      bool _inheritByDefault,
                                                                      TFontOptionValue _defaultValue,
                                                                      std::wstring _name, std::wstring _caption,
                                                                      int _helpID) {
  return Create<TInheritingFontOption>(_parent, _inheritByDefault, std::move(_defaultValue), std::move(_name),
                                       std::move(_caption), _helpID);
}

TInheritingSetOption* TCustomOptionStore::CreateInheritingSetOption(TCustomInheritingSetOption* _parent,
                                                                    bool _inheritByDefault,
                                                                    TSetOptionValue _defaultValue,
                                                                    std::vector<std::wstring> _validMembers,
                                                                    std::wstring _name, std::wstring _caption,
                                                                    int _helpID) {
  return Create<TInheritingSetOption>(_parent, _inheritByDefault, std::move(_defaultValue), std::move(_validMembers),
                                      std::move(_name), std::move(_caption), _helpID);
}

}  // namespace tessera
