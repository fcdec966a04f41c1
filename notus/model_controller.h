// A model controller is the model plus the signal that announces its changes.
// Owners and strategies change the model directly, then raise an update; the
// views connected to the controller (normally one) redraw or relayout.
//
// Most models announce the empty notus::events::model_update (flag 0).  A
// model that defines its own nested model_update type (the text box's, the
// list box's) announces that one instead (flag 1).
#pragma once

#include "notus/event_source.h"
#include "notus/model_update.h"

namespace notus {

template <class Model>
inline constexpr int model_update_flag = requires {
  typename Model::model_update;
}
? 1 : 0;

namespace details {

template <class Model, int Flag>
struct update_type_of {
  using type = events::model_update;
};

template <class Model>
struct update_type_of<Model, 1> {
  using type = typename Model::model_update;
};

}  // namespace details

template <class Model, int Flag = model_update_flag<Model>>
class model_controller : public event_source<typename details::update_type_of<Model, Flag>::type&>, public Model {
 public:
  using model_type = Model;
  using update_type = typename details::update_type_of<Model, Flag>::type;

  model_controller() : Model() {}

  Model& model() noexcept { return *this; }
  const Model& model() const noexcept { return *this; }
};

}  // namespace notus
