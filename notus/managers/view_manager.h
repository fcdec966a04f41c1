// A view manager is the object behind a form or a composite widget: it is the
// form's model, holds its own strategies, creates views and listens to all of
// them.  Each view event reaches the manager's strategies by kind, in tuple
// order, before the view's own strategies run.
//
// Construction value-initialises the model (all zero for a plain model), then
// runs the strategies that create (create(manager, args...)) in tuple order
// with the constructor's arguments, normally the parent display; a create
// that returns false stops the ones after it.  Destruction cuts the
// connections to the views first, so no view event reaches a half-destroyed
// manager; then the model releases its views.
#pragma once

#include <list>
#include <memory>
#include <tuple>
#include <type_traits>
#include <utility>

#include "notus/details/strategy_enabled.h"
#include "notus/shared_connection.h"
#include "notus/view_dispatch.h"
#include "ttl/function.h"

namespace notus::managers {

template <class Model, class Tuple>
class view_manager : public Model, public notus::details::strategy_enabled<Tuple> {
 public:
  using model_type = Model;

  template <class... Args>
  explicit view_manager(Args&&... args) : Model() {
    run_create_strategies(args...);
  }

  view_manager(const view_manager&) = delete;
  view_manager& operator=(const view_manager&) = delete;

  virtual ~view_manager() { m_connections.clear(); }

  // Makes a view (the arguments go to its display) and connects it.
  template <class View, class... DisplayArgs>
  std::shared_ptr<View> create_view(DisplayArgs&&... display_args) {
    auto created = std::make_shared<View>(std::forward<DisplayArgs>(display_args)...);
    connect_view(*created);
    return created;
  }

  // Listens to a view made elsewhere, for as long as this manager lives.
  template <class View>
  void connect_view(View& v) {
    using view_event_type = typename View::view_event_type;
    m_connections.push_back(make_shared_connection(
        v, ttl::func::function1<void, view_event_type&>([this](view_event_type& e) { on_view_event(e); })));
  }

  template <class ViewEvent>
  void on_view_event(ViewEvent& e) {
    deliver_view_event(*this, this->strategies(), e);
  }

  std::list<shared_connection<>>& connections() noexcept { return m_connections; }

 private:
  template <class... Args>
  void run_create_strategies(Args&... args) {
    std::apply(
        [&](auto&... s) {
          bool go_on = true;
          ((go_on = go_on && run_create(s, args...)), ...);
        },
        this->strategies());
  }

  template <class S, class... Args>
  bool run_create(S& s, Args&... args) {
    if constexpr (requires { s.create(*this, args...); }) {
      if constexpr (std::is_void_v<decltype(s.create(*this, args...))>) {
        s.create(*this, args...);
        return true;
      } else {
        return static_cast<bool>(s.create(*this, args...));
      }
    } else {
      return true;
    }
  }

  std::list<shared_connection<>> m_connections;
};

}  // namespace notus::managers
