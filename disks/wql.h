// WQL queries to Windows Management Instrumentation, as the drive map asks them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tovak {

// The objects one query yields, in the order the set enumerates them.
struct WqlObjectSet {
  std::vector<std::string> deviceIds;  // each object's DeviceID
  std::size_t Count() const { return deviceIds.size(); }
};

class Wql {
 public:
  virtual ~Wql() = default;
  // False when WMI fails; the set then holds nothing to use.
  virtual bool ExecQuery(const std::string& query, WqlObjectSet& result) = 0;
};

}  // namespace tovak
