#pragma once
#include <string>
#include <type_traits>
#include <utility>

#include "config/declare.h"
#include "model/frame.h"
#include "pipeline/component.h"
#include "util/factory.h"

namespace ipc {

namespace detail {
// Whether A offers apply(payload, time): algorithms whose messages name the
// frame time take it, the others see only the payload.
template <class A, class = void>
struct TakesTime : std::false_type {};
template <class A>
struct TakesTime<A, std::void_t<decltype(std::declval<A&>().apply(
                        std::declval<const util::CountedPtr<typename A::Input>&>(), 0.0))>>
    : std::true_type {};
}  // namespace detail

// Wraps an image algorithm as a pipeline stage. The algorithm A provides
//   using Input = ...; using Output = ...;
//   explicit A(const xml::Querier&);           (binds its parameters)
//   static const config::Schema<...>& schema(); (declares them)
//   static std::string word();                 (its part of the factory key)
//   CountedPtr<Output> apply(const CountedPtr<Input>&[, double time]);
// Each frame of Input becomes one frame of Output with the same time;
// nothing is buffered and the end-of-stream null frame is passed on.
template <class A>
class AlgorithmComponent : public cmpnt::MonoChildComponent {
public:
    using Input = typename A::Input;
    using Output = typename A::Output;
    using InputFrame = frame::FrameTemplate<Input>;
    using OutputFrame = frame::FrameTemplate<Output>;

    explicit AlgorithmComponent(const xml::Querier& querier) : algorithm_(querier) {}

    static std::string key() { return A::word() + "_algorithm_component"; }

    void push_frame(cmpnt::FramePtr incoming) override {
        if (!incoming) {
            child().push_frame(std::move(incoming));
            return;
        }
        auto input = frame::cast<InputFrame>(incoming);
        if (!input->payload) throw util::Exception("image frame without payload in " + key());
        util::CountedPtr<Output> output;
        if constexpr (detail::TakesTime<A>::value)
            output = algorithm_.apply(input->payload, input->time);
        else
            output = algorithm_.apply(input->payload);
        child().push_frame(std::make_shared<OutputFrame>(input->time, std::move(output)));
    }

    A& algorithm() { return algorithm_; }

private:
    A algorithm_;
};

// Registers AlgorithmComponent<A> under its composed key and declares the
// algorithm's schema under it, for --describe.
template <class A>
void register_algorithm_component(cmpnt::ComponentFactory& factory) {
    const std::string key = AlgorithmComponent<A>::key();
    util::register_key(factory, key, &util::create<cmpnt::Component, AlgorithmComponent<A>>);
    config::declare_schema_of<A>(key);
}

}  // namespace ipc
