// Writing the page template that the program carries out to a file.
#pragma once

#include <cstdint>
#include <string>

namespace selvara {

inline constexpr std::int16_t kTemplateResourceId = 101;
inline constexpr const char* kTemplateResourceType = "CUSTOM";
inline constexpr const char* kTemplateFileName = "blank.html";

// Error number for a resource the program does not carry.
inline constexpr std::int32_t kResourceNotFound = 1813;

// Writes the resource (type, id) to `fileName`, replacing its content. Returns 0, or the number
// of the error that stopped it; the file is closed on every path.
std::int32_t SaveResourceToFile(std::int16_t resourceId, const std::string& resourceType,
                                const std::string& fileName);

}  // namespace selvara
