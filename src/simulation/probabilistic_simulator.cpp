#include "simulation/probabilistic_simulator.h"

namespace smltr {

const config::Schema<ProbabilisticSimulator::Parameters>& ProbabilisticSimulator::schema() {
    static const auto choice =
        config::Schema<Choice>("choice", "one simulator and its weight (the element may have any name)")
            .required(&Choice::weight, "weight", "the relative chance of this simulator",
                      config::non_negative<double>().says("negative mass in Discrete::set_mass"))
            .product(&Choice::simulator, "simulator", "a simulator element", "the simulator",
                     &make_child_simulator);
    static const auto schema =
        config::Schema<Parameters>("probabilistic_simulator",
                                   "applies one child drawn at random in proportion to its weight")
            .list(&Parameters::distribution, "distribution", choice, "the choices")
            .rule("distribution", "weights with a positive sum",
                  [](const Parameters& p) {
                      double total = 0;
                      for (const Choice& c : p.distribution) total += c.weight;
                      return total > 0;
                  },
                  [](const Parameters& p) {
                      std::string weights;
                      for (const Choice& c : p.distribution) weights += (weights.empty() ? "" : " ") + config::quote(c.weight);
                      return weights.empty() ? "no choices" : weights;
                  },
                  "ill-defined distribution in Discrete::set_mass");
    return schema;
}

ProbabilisticSimulator::ProbabilisticSimulator(const Parameters& parameters) {
    std::vector<double> weights;
    for (const Choice& choice : schema().validate(parameters).distribution) {
        weights.push_back(choice.weight);
        children_.push_back(choice.simulator);
    }
    distribution_.set_mass(weights);
}

void ProbabilisticSimulator::simulate(state::CompositeState& target) {
    children_[distribution_.sample()]->simulate(target);
}

}  // namespace smltr
