// The web engine's page-process extension: every card picture the page asks for by a file URL
// goes to the program's own picture scheme instead. The engine would open whatever carries the
// picture's name itself, a FIFO that never answers, a device that never ends or the user's
// terminal among them; the scheme opens plain files only, off the window's thread, and checks
// each one when the page asks for it, also a picture swapped for something else after the page
// was written.
#include <webkit2/webkit-web-extension.h>

#include <string>
#include <string_view>

#include "platform/paths.h"

namespace {

constexpr std::string_view kFileScheme = "file:";

// The rest of the URL stays as it is: the scheme reads the path's percent-encoded bytes the same
// way under either prefix.
gboolean sendRequest(WebKitWebPage* /*page*/, WebKitURIRequest* request,
                     WebKitURIResponse* /*redirectedResponse*/, gpointer /*userData*/) {
  const std::string_view url = webkit_uri_request_get_uri(request);
  if (url.starts_with(kFileScheme) && url.ends_with("c.jpg")) {
    const std::string picture =
        std::string(selvara::kPictureScheme).append(":").append(url.substr(kFileScheme.size()));
    webkit_uri_request_set_uri(request, picture.c_str());
  }
  return FALSE;  // the request goes on
}

void pageCreated(WebKitWebExtension* /*extension*/, WebKitWebPage* page, gpointer /*userData*/) {
  g_signal_connect(page, "send-request", G_CALLBACK(sendRequest), nullptr);
}

}  // namespace

extern "C" [[gnu::visibility("default")]] void webkit_web_extension_initialize(
    WebKitWebExtension* extension) {
  g_signal_connect(extension, "page-created", G_CALLBACK(pageCreated), nullptr);
}
