// Card pictures served to the web view by their path's bytes. The web view turns a file URL back
// into a file name as UTF-8, so a picture whose folder or file name is in an older 8-bit encoding
// would never load from one.
#include "viewer/picture_scheme_wx.h"

#include <webkit2/webkit2.h>

#include <fstream>
#include <iterator>
#include <string>

#include "platform/paths.h"

namespace selvara {
namespace {

void refuse(WebKitURISchemeRequest* request, const std::string& path) {
  GError* error =
      g_error_new(G_IO_ERROR, G_IO_ERROR_NOT_FOUND, "no card picture at %s", path.c_str());
  webkit_uri_scheme_request_finish_error(request, error);
  g_error_free(error);
}

void answer(WebKitURISchemeRequest* request, gpointer /*userData*/) {
  const std::string address = webkit_uri_scheme_request_get_uri(request);
  const std::string prefix = std::string(kPictureScheme) + "://";
  const std::string path =
      address.rfind(prefix, 0) == 0 ? decodeUrlPath(address.substr(prefix.size())) : address;
  std::ifstream in(path, std::ios::binary);
  if (!path.ends_with("c.jpg") || !in) {
    refuse(request, path);
    return;
  }
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  GBytes* data = g_bytes_new(bytes.data(), bytes.size());
  GInputStream* stream = g_memory_input_stream_new_from_bytes(data);
  webkit_uri_scheme_request_finish(request, stream, static_cast<gint64>(bytes.size()),
                                   "image/jpeg");
  g_object_unref(stream);
  g_bytes_unref(data);
}

}  // namespace

void servePictures() {
  // NOTE: a scheme is registered once per web context; the web views share the default one.
  static const bool registered = [] {
    webkit_web_context_register_uri_scheme(webkit_web_context_get_default(), kPictureScheme, answer,
                                           nullptr, nullptr);
    return true;
  }();
  (void)registered;
}

}  // namespace selvara
