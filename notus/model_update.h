// The update a model controller announces when its model changed and carries
// no detail about what changed.
#pragma once

namespace notus::events {

struct model_update {};

}  // namespace notus::events
