#include "config/optionlist/OptionListErrors.h"

#include <exception>
#include <new>

#include "base/Error.h"
#include "base/ResourceString.h"
#include "config/optionlist/optionlist_strings.h"

namespace tessera {

std::wstring CurrentErrorMessage() {
  try {
    throw;
  } catch (const TesseraError& e) {
    return e.message();
  } catch (const std::bad_alloc&) {
    return ResString(IDS_OL_ERR_OUT_OF_MEMORY);
  } catch (...) {
    return ResString(IDS_OL_ERR_UNEXPECTED);
  }
}

}  // namespace tessera
