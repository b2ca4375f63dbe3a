// The pattern the command runner has: an empty one-argument method override beside an empty
// lambda called through std::function. The 32-bit build once folded the two into one
// function, which pops its argument as a method does, so every call of the lambda left the
// stack four bytes off and a long enough loop overwrote its own frame.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace kestrel::ctl {
namespace {

class Sink {
 public:
  virtual ~Sink() = default;
  virtual void take(const std::string& text) = 0;
};

class QuietSink : public Sink {
 public:
  void take(const std::string&) override {}
};

// Out of line so that the calls stay calls through the std::function.
__attribute__((noinline)) std::size_t CallEach(
    const std::vector<std::string>& names, const std::function<void(const std::string&)>& visit) {
  std::size_t calls = 0;
  for (const std::string& name : names) {
    visit(name);
    ++calls;
  }
  return calls;
}

// Seen from outside, so that the method is compiled as a function of its own.
Sink* volatile escaped = nullptr;

TEST(CallingConvention, AnEmptyLambdaCalledThousandsOfTimesLeavesTheStackAsItWas) {
  QuietSink quiet;
  escaped = &quiet;
  escaped->take("kept");
  const std::vector<std::string> names(5000, "name");
  EXPECT_EQ(CallEach(names, [](const std::string&) {}), names.size());
}

}  // namespace
}  // namespace kestrel::ctl
