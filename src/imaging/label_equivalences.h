#pragma once
#include <vector>

namespace ipc {

// The equivalence table of provisional labels used by connected-component
// labelling (union-find). Every entry points to an entry of smaller or equal
// index, so one forward pass resolves the whole table. The storage is kept
// between images (cleared, not freed), so once it has grown labelling an
// image allocates nothing.
class LabelEquivalences {
public:
    void clear() { parent_.clear(); }

    // A new provisional label, its own root.
    int make() {
        int label = static_cast<int>(parent_.size());
        parent_.push_back(label);
        return label;
    }

    // The root of label's tree; the path to it is compressed.
    int root(int label) {
        int r = label;
        while (parent_[r] != r) r = parent_[r];
        while (parent_[label] != r) {
            int next = parent_[label];
            parent_[label] = r;
            label = next;
        }
        return r;
    }

    // Joins the trees of a and b; the smaller root becomes the root of both.
    void merge(int a, int b) {
        int ra = root(a);
        int rb = root(b);
        if (ra < rb)
            parent_[rb] = ra;
        else if (rb < ra)
            parent_[ra] = rb;
    }

    // Replaces every entry by the final number of its root, the roots being
    // numbered 0, 1, 2, ... in increasing index order; returns their count.
    // Afterwards number(label) gives a provisional label's final number.
    int resolve() {
        int count = 0;
        for (std::size_t i = 0; i < parent_.size(); ++i) {
            int p = parent_[i];
            // p <= i, and entries below i already hold final numbers.
            parent_[i] = p == static_cast<int>(i) ? count++ : parent_[p];
        }
        return count;
    }
    int number(int label) const { return parent_[label]; }

    std::size_t size() const { return parent_.size(); }

private:
    std::vector<int> parent_;
};

}  // namespace ipc
