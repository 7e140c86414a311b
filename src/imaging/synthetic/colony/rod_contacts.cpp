#include "imaging/synthetic/colony/rod_contacts.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace synth::colony {

namespace {

struct Point {
    double x = 0.0;
    double y = 0.0;
};
Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
Point operator*(double s, Point a) { return {s * a.x, s * a.y}; }
double dot(Point a, Point b) { return a.x * b.x + a.y * b.y; }

// A rod as the two end points of its axis segment, moved by position-based
// relaxation and then restored to its length.
struct Body {
    Point a;
    Point b;
    double core = 0.0;       // |b - a| to restore
    double radius = 0.0;
    double inverse_mass = 0.0;
};

Body body_of(const Rod& rod) {
    const double h = rod.half_core();
    const Point u{std::cos(rod.angle), std::sin(rod.angle)};
    const Point c{rod.x, rod.y};
    // A longer rod is heavier: mass in proportion to its length.
    return Body{c - h * u, c + h * u, 2.0 * h, rod.radius, 1.0 / std::max(rod.length, 1e-9)};
}

// Closest points of segments [p1, q1] and [p2, q2]: parameters s and t in
// [0, 1] of c1 = p1 + s (q1 - p1) and c2 = p2 + t (q2 - p2).
void closest_parameters(Point p1, Point q1, Point p2, Point q2, double& s, double& t) {
    const Point d1 = q1 - p1, d2 = q2 - p2, r = p1 - p2;
    const double a = dot(d1, d1), e = dot(d2, d2), f = dot(d2, r);
    constexpr double tiny = 1e-12;
    if (a <= tiny && e <= tiny) {
        s = t = 0.0;
        return;
    }
    if (a <= tiny) {
        s = 0.0;
        t = std::clamp(f / e, 0.0, 1.0);
        return;
    }
    const double c = dot(d1, r);
    if (e <= tiny) {
        t = 0.0;
        s = std::clamp(-c / a, 0.0, 1.0);
        return;
    }
    const double b = dot(d1, d2), denominator = a * e - b * b;
    s = denominator > tiny ? std::clamp((b * f - c * e) / denominator, 0.0, 1.0) : 0.0;
    t = (b * s + f) / e;
    if (t < 0.0) {
        t = 0.0;
        s = std::clamp(-c / a, 0.0, 1.0);
    } else if (t > 1.0) {
        t = 1.0;
        s = std::clamp((b - c) / a, 0.0, 1.0);
    }
}

// Overlap of two bodies (sum of radii minus the distance of their axes), the
// contact parameters and the unit normal pointing from j to i.
double overlap(const Body& i, const Body& j, double& s, double& t, Point& normal) {
    closest_parameters(i.a, i.b, j.a, j.b, s, t);
    const Point ci = i.a + s * (i.b - i.a);
    const Point cj = j.a + t * (j.b - j.a);
    const Point d = ci - cj;
    const double distance = std::sqrt(dot(d, d));
    if (distance > 1e-9) {
        normal = (1.0 / distance) * d;
    } else {
        // Axes that cross: push across rod i's axis.
        const Point u = i.b - i.a;
        const double length = std::sqrt(dot(u, u));
        normal = length > 1e-9 ? Point{-u.y / length, u.x / length} : Point{1.0, 0.0};
    }
    return i.radius + j.radius - distance;
}

// Moves the point at parameter s of the body by `shift`, sharing it between
// the end points so that the point moves exactly that much:
// da = (1 - s) k, db = s k with k = shift / ((1 - s)^2 + s^2).
void push(Body& body, double s, Point shift) {
    const double k = 1.0 / ((1.0 - s) * (1.0 - s) + s * s);
    body.a = body.a + ((1.0 - s) * k) * shift;
    body.b = body.b + (s * k) * shift;
}

void restore_length(Body& body) {
    const Point c = 0.5 * (body.a + body.b);
    Point u = body.b - body.a;
    const double length = std::sqrt(dot(u, u));
    if (length < 1e-12) return;  // a disc, or a rod squeezed to a point: keep it
    u = (0.5 * body.core / length) * u;
    body.a = c - u;
    body.b = c + u;
}

// Neighbour candidates from a uniform grid of buckets as wide as the
// longest rod, so that two rods that touch lie in adjacent buckets.
class Grid {
public:
    explicit Grid(const std::vector<Body>& bodies) {
        double reach = 1.0;
        for (const Body& body : bodies) reach = std::max(reach, body.core + 2.0 * body.radius);
        size_ = reach;
        min_x_ = min_y_ = std::numeric_limits<double>::infinity();
        double max_x = -min_x_, max_y = -min_y_;
        for (const Body& body : bodies) {
            const Point c = 0.5 * (body.a + body.b);
            min_x_ = std::min(min_x_, c.x), max_x = std::max(max_x, c.x);
            min_y_ = std::min(min_y_, c.y), max_y = std::max(max_y, c.y);
        }
        columns_ = bodies.empty() ? 1 : static_cast<int>((max_x - min_x_) / size_) + 1;
        rows_ = bodies.empty() ? 1 : static_cast<int>((max_y - min_y_) / size_) + 1;
        buckets_.assign(static_cast<std::size_t>(columns_) * rows_, {});
        for (std::size_t k = 0; k < bodies.size(); ++k) {
            const Point c = 0.5 * (bodies[k].a + bodies[k].b);
            buckets_[bucket(column(c.x), row(c.y))].push_back(k);
        }
    }

    // Calls visit(j) for every body j > i in the 3 x 3 buckets around i.
    template <class Visit>
    void neighbours(const Body& body, std::size_t i, Visit visit) const {
        const Point c = 0.5 * (body.a + body.b);
        const int cx = column(c.x), cy = row(c.y);
        for (int y = std::max(0, cy - 1); y <= std::min(rows_ - 1, cy + 1); ++y)
            for (int x = std::max(0, cx - 1); x <= std::min(columns_ - 1, cx + 1); ++x)
                for (std::size_t j : buckets_[bucket(x, y)])
                    if (j > i) visit(j);
    }

private:
    int column(double x) const { return std::clamp(static_cast<int>((x - min_x_) / size_), 0, columns_ - 1); }
    int row(double y) const { return std::clamp(static_cast<int>((y - min_y_) / size_), 0, rows_ - 1); }
    std::size_t bucket(int x, int y) const { return static_cast<std::size_t>(y) * columns_ + x; }

    double size_ = 1.0;
    double min_x_ = 0.0;
    double min_y_ = 0.0;
    int columns_ = 1;
    int rows_ = 1;
    std::vector<std::vector<std::size_t>> buckets_;
};

}  // namespace

void separate_rods(std::vector<Rod>& rods, int iterations) {
    std::vector<Body> bodies;
    bodies.reserve(rods.size());
    for (const Rod& rod : rods) bodies.push_back(body_of(rod));

    for (int sweep = 0; sweep < iterations; ++sweep) {
        // The grid is rebuilt per sweep; bodies move by a fraction of a
        // width within one, far less than a bucket.
        const Grid grid(bodies);
        bool moved = false;
        for (std::size_t i = 0; i < bodies.size(); ++i) {
            grid.neighbours(bodies[i], i, [&](std::size_t j) {
                double s = 0.0, t = 0.0;
                Point normal;
                const double depth = overlap(bodies[i], bodies[j], s, t, normal);
                if (depth <= 0.0) return;
                // Each side gives way in proportion to its inverse mass.
                const double wi = bodies[i].inverse_mass, wj = bodies[j].inverse_mass;
                push(bodies[i], s, (depth * wi / (wi + wj)) * normal);
                push(bodies[j], t, (-depth * wj / (wi + wj)) * normal);
                restore_length(bodies[i]);
                restore_length(bodies[j]);
                moved = true;
            });
        }
        if (!moved) break;
    }

    for (std::size_t k = 0; k < rods.size(); ++k) {
        const Body& body = bodies[k];
        const Point c = 0.5 * (body.a + body.b);
        rods[k].x = c.x;
        rods[k].y = c.y;
        if (body.core > 1e-9) rods[k].angle = std::atan2(body.b.y - body.a.y, body.b.x - body.a.x);
    }
}

double gap_between(const Rod& a, const Rod& b) {
    double s = 0.0, t = 0.0;
    Point normal;
    return -overlap(body_of(a), body_of(b), s, t, normal);
}

double largest_overlap(const std::vector<Rod>& rods) {
    std::vector<Body> bodies;
    for (const Rod& rod : rods) bodies.push_back(body_of(rod));
    const Grid grid(bodies);
    double largest = 0.0;
    for (std::size_t i = 0; i < bodies.size(); ++i)
        grid.neighbours(bodies[i], i, [&](std::size_t j) {
            double s = 0.0, t = 0.0;
            Point normal;
            largest = std::max(largest, overlap(bodies[i], bodies[j], s, t, normal));
        });
    return largest;
}

}  // namespace synth::colony
