// Card pictures served to the web view by their path's bytes. The web view turns a file URL back
// into a file name as UTF-8, so a picture whose folder or file name is in an older 8-bit encoding
// would never load from one.
//
// A card "picture" can be anything that carries the name: a FIFO whose open() never returns, a
// device that never ends, the user's terminal, a file of hundreds of megabytes. So nothing here
// touches the file on the user-interface thread: a worker opens only a plain file, and the web
// view reads that in pieces through GIO, off this thread too.
#include "viewer/picture_scheme_gtk.h"

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

// The picture at `name` opened for reading, or -1 with errno set. The name is looked up once,
// without opening what it names (O_PATH): a device, a terminal or a FIFO is never opened, not
// even when it takes the picture's place between the look-up and the read. Only a plain file is
// then opened, by the descriptor that already holds it.
int openPlainFile(const char* name) {
  const int found = ::open(name, O_PATH | O_CLOEXEC);
  if (found < 0) return -1;
  struct stat status = {};
  int fd = -1;
  if (::fstat(found, &status) == 0) {
    if (S_ISREG(status.st_mode)) {
      fd = ::open(("/proc/self/fd/" + std::to_string(found)).c_str(), O_RDONLY | O_CLOEXEC);
    } else {
      errno = S_ISDIR(status.st_mode) ? EISDIR : ENODEV;
    }
  }
  const int number = errno;
  ::close(found);
  errno = number;
  return fd;
}

// In a worker thread.
void openPicture(GTask* task, gpointer /*source*/, gpointer path, GCancellable* /*cancellable*/) {
  const auto* name = static_cast<const char*>(path);
  const int fd = openPlainFile(name);
  struct stat status = {};
  if (fd < 0 || ::fstat(fd, &status) != 0) {
    const int number = errno;
    if (fd >= 0) ::close(fd);
    g_task_return_new_error(task, G_IO_ERROR, g_io_error_from_errno(number),
                            "no card picture at %s: %s", name, g_strerror(number));
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
