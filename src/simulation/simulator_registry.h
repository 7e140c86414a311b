#pragma once

namespace smltr {

// Fills the simulator factory, in this order: the simulators (composition,
// labels, fusion, inserters, MOU, OU and OU-feature processes, the
// probabilistic choice), then the sensors and state erasers, then the
// plotter point and covariance creators. A key already present prints the
// duplicate-key warning and keeps its first creator.
void register_simulators();

}  // namespace smltr
