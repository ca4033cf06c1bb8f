#pragma once
// The registry shared by the stateless strategies (normalizers, post-filters,
// orbit analyzers): each singleton carries an identifier and enters itself in
// its family's map when it is made. The first instance of an identifier stays.

#include <map>
#include <string>

namespace orlenza {

template <class T>
class NamedInstances {
 public:
  using Registry = std::map<std::string, NamedInstances<T>*>;

  explicit NamedInstances(std::string identifier) : m_identifier(std::move(identifier)) {
    getInstances().emplace(m_identifier, this);
  }
  virtual ~NamedInstances() {
    auto& instances = getInstances();
    auto found = instances.find(m_identifier);
    if (found != instances.end() && found->second == this) instances.erase(found);
  }
  NamedInstances(NamedInstances const&) = delete;
  NamedInstances& operator=(NamedInstances const&) = delete;

  std::string const& getIdentifier() const { return m_identifier; }

  // One map per family, made on first use.
  static Registry& getInstances() {
    static Registry instances;
    return instances;
  }

  // The instance registered under identifier, or null.
  static T const* getInstanceFromID(std::string const& identifier) {
    auto const& instances = getInstances();
    auto found = instances.find(identifier);
    return found == instances.end() ? nullptr : static_cast<T const*>(found->second);
  }

 private:
  std::string m_identifier;
};

}  // namespace orlenza
