#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "util/counted_ptr.h"
#include "util/exception.h"
#include "util/nearest_names.h"
#include "xml/querier.h"

namespace util {

// String-keyed factory: the element name of a configured object is its key,
// and the creator registered under that key builds the object from a Querier
// standing on the element.
template <class Product>
class QuerierFactory;

template <class T>
class QuerierFactory<CountedPtr<T>> {
public:
    using Creator = CountedPtr<T> (*)(const xml::Querier&);

    virtual ~QuerierFactory() = default;

    // Inserts the creator; returns false and keeps the earlier creator when
    // the key is already present (the first registration wins).
    bool registerize(const std::string& key, Creator creator) {
        const bool inserted = creators_.emplace(key, creator).second;
        if (inserted) order_.push_back(key);
        return inserted;
    }

    // Creates the product named by the Querier's current tag.
    CountedPtr<T> create(const xml::Querier& querier) const {
        const std::string& key = querier.name();
        auto found = creators_.find(key);
        if (found == creators_.end()) throw Exception("Unknown key: key = " + key + did_you_mean(key, keys()));
        return found->second(querier);
    }
    CountedPtr<T> operator()(const xml::Querier& querier) const { return create(querier); }

    bool has(const std::string& key) const { return creators_.count(key) != 0; }
    std::size_t size() const { return creators_.size(); }

    // Keys in byte-wise order, for listings, suggestions and tests.
    std::vector<std::string> keys() const {
        std::vector<std::string> all;
        all.reserve(creators_.size());
        for (const auto& entry : creators_) all.push_back(entry.first);
        return all;
    }
    template <class Out>
    void keys(Out out) const {
        for (const auto& entry : creators_) *out++ = entry.first;
    }
    // Keys in the order they were registered.
    const std::vector<std::string>& registration_order() const { return order_; }

private:
    std::map<std::string, Creator> creators_;
    std::vector<std::string> order_;
};

// The creator of most keys: construct Derived from the Querier.
template <class Base, class Derived>
CountedPtr<Base> create(const xml::Querier& querier) {
    return std::make_shared<Derived>(querier);
}

// Registers one key at start-up. A key registered twice is a fault of the
// catalogues (two classes would answer to one element name), so it fails at
// start-up, before any configuration is read.
template <class Factory>
void register_key(Factory& factory, const std::string& key, typename Factory::Creator creator) {
    if (!factory.registerize(key, creator))
        throw Exception("QuerierFactory::registerize failed, key already exists: key = " + key);
}

}  // namespace util
