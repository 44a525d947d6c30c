// Template extraction.
#include "gallery/page_template.h"

#include "platform/file_services.h"
#include "platform/resources.h"

namespace selvara {

std::int32_t SaveResourceToFile(std::int16_t resourceId, const std::string& resourceType,
                                const std::string& fileName) {
  const auto bytes = findResource(resourceType, resourceId);
  if (!bytes) return kResourceNotFound;
  try {
    writeBytes(fileName, *bytes);
  } catch (const FileError& error) {
    return error.number();
  }
  return 0;
}

}  // namespace selvara
