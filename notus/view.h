// A view joins one display, one model (inside its model controller) and a
// tuple of strategies that carry the widget's behaviour.  For each event of
// its display, and for each update of its model, the view first raises a view
// event to its listeners (normally the view manager that made it), then runs
// its own strategies for that kind in tuple order.
//
// The view holds its display and its model controller by shared pointer, so
// either may outlive it when held elsewhere.  Destruction cuts every
// connection before anything is released, so a view never receives an event
// once its destruction has begun.
#pragma once

#include <list>
#include <memory>
#include <tuple>
#include <utility>

#include "notus/details/strategy_enabled.h"
#include "notus/event.h"
#include "notus/event_source.h"
#include "notus/model_controller.h"
#include "notus/shared_connection.h"
#include "notus/view_dispatch.h"
#include "ttl/function.h"

namespace notus {

template <class Display, class Tuple, class Model>
class view;

namespace details {

template <class Display, class Tuple, class Model>
using view_event_of = notus::view_event<typename Display::event_type, typename model_controller<Model>::update_type,
                                        view<Display, Tuple, Model>>;

}  // namespace details

template <class Display, class Tuple, class Model>
class view : public details::strategy_enabled<Tuple>,
             public event_source<details::view_event_of<Display, Tuple, Model>&> {
 public:
  using display_type = Display;
  using model_type = Model;
  using controller_type = model_controller<Model>;
  using update_type = typename controller_type::update_type;
  using display_event_type = typename Display::event_type;
  using view_event_type = details::view_event_of<Display, Tuple, Model>;

  // The arguments go to the display's constructor.
  template <class... DisplayArgs>
  explicit view(DisplayArgs&&... display_args)
      : m_model(std::make_shared<controller_type>()),
        m_display(std::make_shared<Display>(std::forward<DisplayArgs>(display_args)...)) {
    connect_model();
    connect_display();
    set_up_strategies();
  }

  view(const view&) = delete;
  view& operator=(const view&) = delete;

  ~view() override {
    m_connections.clear();
    m_displayConnection.reset();
    m_modelConnection.reset();
    m_display.reset();
    m_model.reset();
  }

  Display& display() const noexcept { return *m_display; }
  const std::shared_ptr<Display>& display_ptr() const noexcept { return m_display; }
  controller_type& model() const noexcept { return *m_model; }
  const std::shared_ptr<controller_type>& model_ptr() const noexcept { return m_model; }

  // Further connections whose life the view's strategies tie to the view.
  std::list<shared_connection<>>& connections() noexcept { return m_connections; }

  void on_display_event(display_event_type& e) { deliver_display_event(*this, this->strategies(), e); }
  void on_model_update(update_type& update) { deliver_model_update(*this, this->strategies(), update); }

 private:
  void connect_model() {
    m_modelConnection = make_shared_connection(
        *m_model, ttl::func::function1<void, update_type&>([this](update_type& update) { on_model_update(update); }));
  }

  void connect_display() {
    m_displayConnection = make_shared_connection(
        *m_display,
        ttl::func::function1<void, display_event_type&>([this](display_event_type& e) { on_display_event(e); }));
  }

  // Strategies that must act once the view is wired (the frame builds the
  // tab bar, a scroll bar makes its parts) do so in tuple order.
  void set_up_strategies() {
    std::apply(
        [this](auto&... s) {
          (
              [&] {
                if constexpr (requires { s.set_up(*this); }) s.set_up(*this);
              }(),
              ...);
        },
        this->strategies());
  }

  std::shared_ptr<controller_type> m_model;
  std::shared_ptr<Display> m_display;
  shared_connection<> m_modelConnection;
  shared_connection<> m_displayConnection;
  std::list<shared_connection<>> m_connections;
};

}  // namespace notus
