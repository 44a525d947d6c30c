// Card pictures served to the web view by their path's bytes. The web view turns a file URL back
// into a file name as UTF-8, so a picture whose folder or file name is in an older 8-bit encoding
// would never load from one.
//
// A card "picture" can be anything that carries the name: a FIFO whose open() never returns, a
// device that never ends, a file of hundreds of megabytes. So nothing here touches the file on
// the user-interface thread: a worker opens it without waiting on it and keeps only a plain
// file, and the web view reads that in pieces through GIO, off this thread too.
#include "viewer/picture_scheme_wx.h"

#include <fcntl.h>
#include <gio/gunixinputstream.h>
#include <sys/stat.h>
#include <unistd.h>
#include <webkit2/webkit2.h>

#include <cerrno>
#include <string>

#include "platform/paths.h"

namespace selvara {
namespace {

struct Picture {
  GInputStream* stream;
  gint64 size;
};

void freePicture(gpointer data) {
  auto* picture = static_cast<Picture*>(data);
  g_object_unref(picture->stream);
  delete picture;
}

// In a worker thread. O_NONBLOCK lets the open of a FIFO or a device return at once instead of
// waiting for a writer or a carrier; on a plain file it changes nothing.
void openPicture(GTask* task, gpointer /*source*/, gpointer path, GCancellable* /*cancellable*/) {
  const auto* name = static_cast<const char*>(path);
  const int fd = ::open(name, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  struct stat status = {};
  const int number = fd < 0 || ::fstat(fd, &status) != 0 ? errno : 0;
  if (number != 0 || !S_ISREG(status.st_mode)) {
    if (fd >= 0) ::close(fd);
    g_task_return_new_error(
        task, G_IO_ERROR, number != 0 ? g_io_error_from_errno(number) : G_IO_ERROR_NOT_REGULAR_FILE,
        "no card picture at %s: %s", name, number != 0 ? g_strerror(number) : "not a plain file");
    return;
  }
  g_task_return_pointer(task, new Picture{g_unix_input_stream_new(fd, TRUE), status.st_size},
                        freePicture);
}

// Back on the user-interface thread.
void finish(GObject* /*source*/, GAsyncResult* result, gpointer data) {
  auto* request = static_cast<WebKitURISchemeRequest*>(data);
  GError* error = nullptr;
  if (auto* picture = static_cast<Picture*>(g_task_propagate_pointer(G_TASK(result), &error))) {
    webkit_uri_scheme_request_finish(request, picture->stream, picture->size, "image/jpeg");
    freePicture(picture);
  } else {
    webkit_uri_scheme_request_finish_error(request, error);
    g_error_free(error);
  }
  g_object_unref(request);
}

void answer(WebKitURISchemeRequest* request, gpointer /*userData*/) {
  const std::string path = picturePath(webkit_uri_scheme_request_get_uri(request));
  if (!path.ends_with("c.jpg")) {
    GError* error =
        g_error_new(G_IO_ERROR, G_IO_ERROR_NOT_FOUND, "no card picture at %s", path.c_str());
    webkit_uri_scheme_request_finish_error(request, error);
    g_error_free(error);
    return;
  }
  GTask* task = g_task_new(nullptr, nullptr, finish, g_object_ref(request));
  g_task_set_task_data(task, g_strdup(path.c_str()), g_free);
  g_task_run_in_thread(task, openPicture);
  g_object_unref(task);
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
