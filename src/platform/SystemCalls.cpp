#include "platform/SystemCalls.h"

#include <utility>

namespace wisetup::sys {
namespace {

FaultHook& Hook() {
  static FaultHook hook;
  return hook;
}

}  // namespace

ScopedFaultHook::ScopedFaultHook(FaultHook hook) {
  Hook() = std::move(hook);
}

ScopedFaultHook::~ScopedFaultHook() {
  Hook() = nullptr;
}

int Injected(Call call) {
  const FaultHook& hook = Hook();
  return hook ? hook(call) : 0;
}

}  // namespace wisetup::sys
