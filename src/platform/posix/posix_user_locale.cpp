// The user's locale on POSIX systems.
#include <langinfo.h>
#include <locale.h>

#include "platform/user_locale.h"

namespace selvara {

std::string userDecimalMark() {
  locale_t locale = ::newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
  if (locale == static_cast<locale_t>(nullptr)) return ".";
  const char* mark = ::nl_langinfo_l(RADIXCHAR, locale);
  std::string result = (mark != nullptr && *mark != '\0') ? mark : ".";
  ::freelocale(locale);
  return result;
}

}  // namespace selvara
