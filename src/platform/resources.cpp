// The table of resources compiled into the program.
#include "platform/resources.h"

#include <array>

namespace selvara {

const ResourceRegistration& pageTemplateResource();
const ResourceRegistration& galleryKeysResource();
const ResourceRegistration& icon16Resource();
const ResourceRegistration& icon24Resource();
const ResourceRegistration& icon32Resource();
const ResourceRegistration& icon48Resource();
const ResourceRegistration& icon64Resource();
const ResourceRegistration& icon128Resource();
const ResourceRegistration& icon256Resource();

std::optional<std::span<const unsigned char>> findResource(std::string_view type, int id) {
  const std::array<const ResourceRegistration*, 9> resources{
      &pageTemplateResource(), &galleryKeysResource(), &icon16Resource(),
      &icon24Resource(),       &icon32Resource(),      &icon48Resource(),
      &icon64Resource(),       &icon128Resource(),     &icon256Resource()};
  for (const ResourceRegistration* resource : resources) {
    if (resource->type == type && resource->id == id) {
      return std::span<const unsigned char>(resource->data, resource->size);
    }
  }
  return std::nullopt;
}

}  // namespace selvara
