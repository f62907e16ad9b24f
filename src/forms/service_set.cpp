#include "forms/service_set.h"

#include <stdexcept>
#include <utility>

namespace quellbrook {
namespace {

ServiceSet::Parts Complete(ServiceSet::Parts parts) {
  if (!parts.boxes || !parts.launcher || !parts.environment || !parts.store || !parts.codePage ||
      !parts.scripting || !parts.windows) {
    throw std::invalid_argument("ServiceSet: a service is missing");
  }
  return parts;
}

}  // namespace

ServiceSet::ServiceSet(Parts parts)
    : parts_(Complete(std::move(parts))),
      files_(*parts_.store, *parts_.codePage),
      services_{*parts_.boxes, *parts_.launcher, *parts_.environment, files_, *parts_.scripting, *parts_.windows} {}

ServiceSet::~ServiceSet() { parts_.windows.reset(); }

}  // namespace quellbrook
