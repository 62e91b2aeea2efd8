#include "geo/route/graphcomponents.h"

#include <algorithm>
#include <limits>

namespace geo {

namespace {

constexpr std::uint32_t kUnvisited = std::numeric_limits<std::uint32_t>::max();

// Tarjan's algorithm without recursion: country-sized graphs would overflow the stack.
class Tarjan {
 public:
  explicit Tarjan(const CompiledMap& map)
      : map_(map),
        index_(map.nodes().size(), kUnvisited),
        low_(map.nodes().size(), 0),
        onStack_(map.nodes().size(), false),
        component_(map.nodes().size(), kUnvisited) {}

  std::vector<std::uint32_t> run() {
    for (std::uint32_t node = 0; node < index_.size(); ++node) {
      if (index_[node] == kUnvisited) visit(node);
    }
    return std::move(component_);
  }

 private:
  struct Frame {
    std::uint32_t node;
    std::size_t nextEdge;
  };

  void open(std::uint32_t node) {
    index_[node] = low_[node] = counter_++;
    stack_.push_back(node);
    onStack_[node] = true;
    frames_.push_back({node, 0});
  }

  void visit(std::uint32_t root) {
    open(root);
    while (!frames_.empty()) {
      Frame& frame = frames_.back();
      const auto edges = map_.edgesFrom(frame.node);
      if (frame.nextEdge < edges.size()) {
        const std::uint32_t next = edges[frame.nextEdge++].target;
        if (index_[next] == kUnvisited) {
          open(next);
        } else if (onStack_[next]) {
          low_[frame.node] = std::min(low_[frame.node], index_[next]);
        }
        continue;
      }
      const std::uint32_t node = frame.node;
      frames_.pop_back();
      if (!frames_.empty()) {
        low_[frames_.back().node] = std::min(low_[frames_.back().node], low_[node]);
      }
      if (low_[node] == index_[node]) closeComponent(node);
    }
  }

  void closeComponent(std::uint32_t root) {
    std::uint32_t member = 0;
    do {
      member = stack_.back();
      stack_.pop_back();
      onStack_[member] = false;
      component_[member] = components_;
    } while (member != root);
    ++components_;
  }

  const CompiledMap& map_;
  std::vector<std::uint32_t> index_, low_;
  std::vector<bool> onStack_;
  std::vector<std::uint32_t> component_;
  std::vector<std::uint32_t> stack_;
  std::vector<Frame> frames_;
  std::uint32_t counter_ = 0;
  std::uint32_t components_ = 0;
};

}  // namespace

std::vector<std::uint32_t> stronglyConnectedComponents(const CompiledMap& map) {
  return Tarjan(map).run();
}

std::size_t largestComponentSize(const std::vector<std::uint32_t>& components) {
  std::vector<std::size_t> sizes;
  for (std::uint32_t c : components) {
    if (c >= sizes.size()) sizes.resize(c + 1, 0);
    ++sizes[c];
  }
  return sizes.empty() ? 0 : *std::max_element(sizes.begin(), sizes.end());
}

}  // namespace geo
