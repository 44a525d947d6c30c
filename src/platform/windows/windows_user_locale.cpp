// The user's locale on Windows, as the regional settings give it.
#include <array>

#include "platform/user_locale.h"
#include "platform/windows/win32.h"

namespace selvara {

std::string userDecimalMark() {
  // LOCALE_SDECIMAL holds at most three characters and the terminating null.
  std::array<wchar_t, 4> mark{};
  const int length = ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, mark.data(),
                                       static_cast<int>(mark.size()));
  return length > 1
             ? win::narrow(std::wstring_view(mark.data(), static_cast<std::size_t>(length - 1)))
             : ".";
}

}  // namespace selvara
