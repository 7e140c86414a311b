#pragma once
#include "config/schema.h"

namespace lineage {

// The division model's parameters (element "division_model"), in a
// microscopist's terms; see DivisionModel for how they are weighed.
struct DivisionParameters {
    double division_probability = 0.0;  // chance that a cell divides in a given frame: 1 / cell cycle
    int minimum_age = 0;                 // frames from a cell's birth before it divides again
    double midpoint_sigma = 0.0;         // pixels: the daughters' midpoint about the mother's prediction
    double axis_sigma = 0.0;             // degrees the split may turn from the mother's long axis; 0: not weighed
    double minimum_elongation = 1.5;     // long / short axis from which a mother counts as a rod
    double area_growth = 0.0;            // daughters' total area / mother's last area; 0: areas not weighed
    double area_sigma = 0.0;             // relative spread of a daughter's area about her share

    static const config::Schema<DivisionParameters>& schema();
};

// The lineage linker's parameters; see LinkingModel for how they are
// weighed. The schema is the same for the 2-D and the 3-D key.
struct LinkingParameters {
    int window = 3;                       // frames held before a frame's links are committed
    int maximum_gap = 2;                  // frames a cell may go unseen and still be found again
    double search_radius = 0.0;           // pixels
    double motion_sigma = 0.0;            // pixels per frame
    double detection_probability = 0.95;  // chance that the segmentation finds a cell in a frame
    double end_probability = 0.01;        // chance that a track ends for good in a given frame
    double appearance_rate = 0.0;         // cells appearing per frame in the whole field
    double field_area = 0.0;              // pixels (voxels in 3-D); 0: that of the frames' segmentation
    DivisionParameters division_model;

    // The schema of the key "lineage_linker" or "lineage_linker_3d".
    static const config::Schema<LinkingParameters>& schema(int dimension);
};

}  // namespace lineage
