#pragma once
#include <cstddef>
#include <string>

namespace cells {

// What a cell-tracking configuration is derived from: the images (as the
// survey found them) and two physical numbers, each with a note on where it
// came from ("given", "estimated from t000.tif", ...).
struct CellTrackingPlan {
    std::string input;  // the reader's folder, as the configuration names it
    std::string output = ".";  // the writer's folder, likewise
    bool masks = false;  // the images are label masks
    int dimensions = 2;
    int width = 0, height = 0, depth = 1;
    std::size_t frames = 0;
    double diameter = 10;   // typical cell diameter, pixels
    double max_speed = 4;   // largest distance a cell moves between frames, pixels
    // Rod-shaped cells (bacteria) packed side by side: told apart by the
    // dim seams between them rather than by their outline, and dividing
    // across their middle.
    bool rods = false;
    double elongation = 1;  // length over width of a typical cell, as measured (1 when not)
    double signal_to_noise = 0;  // how far cells stand out of the pixel noise, as measured (0 when not)
    std::string diameter_origin = "default";
    std::string max_speed_origin = "default";
    std::string shape_origin = "default";
};

// Cells are taken for rods when the median cell of the first image is at
// least kLongRodElongation times as long as wide, or kRodElongation times
// with its centre closer than kRodSpacing diameters to its nearest
// neighbour's (packed side by side).
constexpr double kRodElongation = 2.0;
constexpr double kLongRodElongation = 2.5;
constexpr double kRodSpacing = 2.0;

// Defaults when the user gives no number: a diameter the images do not
// reveal, and the largest move per frame as a share of the diameter.
constexpr double kDefaultDiameter = 10;
constexpr double kDefaultSpeedPerDiameter = 0.4;
// When the first images show cells moving further than that default, the
// largest move is taken as this multiple of their typical (median) move.
constexpr double kSpeedPerTypicalMove = 1.5;

// Below this signal-to-noise ratio the blur before the threshold widens,
// by sqrt(kQuietSignalToNoise / ratio), at most kWidestBlurFactor times.
constexpr double kQuietSignalToNoise = 12;
constexpr double kWidestBlurFactor = 1.7;

// The numbers of the configuration, each derived from the plan (the .cpp
// gives the reasoning).
struct TrackingNumbers {
    double surveillance_area;     // image area (2-D) or volume (3-D)
    double process_noise;         // position variance added per frame and axis
    double gate;                  // squared Mahalanobis distance of the position gate
    double position_sigma;        // standard deviation of a contact's position, per axis
    int minimum_contact_size;     // fewer pixels make no contact
    double smoothing_sigma;       // Gaussian blur before the threshold, pixels
    std::string threshold_method; // how the foreground threshold is found
    int background_scale;         // squares the background is measured on, pixels
    int seed_distance;            // touching cells split from centres at least this far apart
    double search_radius;         // a daughter, or a cell found again, starts within this of her track
    double motion_sigma;          // how far a cell strays in a frame from its track's prediction
    double midpoint_sigma;        // how far two daughters' midpoint strays from the mother's prediction
    int mask_digits;              // frame-number width of the result's mask names
};

TrackingNumbers derive_numbers(const CellTrackingPlan& plan);

// Throws util::Exception naming the first number out of range and its value.
void validate(const CellTrackingPlan& plan);

}  // namespace cells
