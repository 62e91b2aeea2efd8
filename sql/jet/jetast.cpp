#include "sql/jet/jetast.h"

JetExpr::~JetExpr() {
  std::vector<JetExprPtr> pending = std::move(Args);
  while (!pending.empty()) {
    JetExprPtr node = std::move(pending.back());
    pending.pop_back();
    for (JetExprPtr& child : node->Args) pending.push_back(std::move(child));
    node->Args.clear();
  }
}
