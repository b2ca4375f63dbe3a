// Secret working copies are zero once used: the self-wiping buffer, the digest's state and
// a secret replaced in place.
#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <vector>

#include "profiles/md5.h"
#include "profiles/secure_wipe.h"
#include "profiles/wiped_bytes.h"

namespace kestrel {
namespace {

// Builds T in storage the test owns, lets `use` fill it, ends it and gives the bytes left.
template <class T, class Use>
std::vector<unsigned char> BytesLeftBy(Use use) {
  alignas(T) unsigned char storage[sizeof(T)];
  T* object = new (storage) T;
  use(*object);
  object->~T();
  // Read as memory, not as the ended object, which the compiler may take as undefined.
  const volatile unsigned char* bytes = storage;
  std::vector<unsigned char> left(sizeof storage);
  for (std::size_t i = 0; i < left.size(); ++i) {
    left[i] = bytes[i];
  }
  return left;
}

bool AllZero(const std::vector<unsigned char>& bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](unsigned char b) { return b == 0; });
}

TEST(SecretWipeTest, WipedBytesAreZeroOnceGone) {
  const auto left = BytesLeftBy<WipedBytes<256>>([](WipedBytes<256>& bytes) {
    EXPECT_EQ(bytes[0], 0);  // starts zeroed
    // Stored as memory so no store is dropped for an object about to end.
    volatile std::uint8_t* data = bytes.data();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      data[i] = 0xA5;
    }
  });
  EXPECT_TRUE(AllZero(left));
}

TEST(SecretWipeTest, DigestLeavesNoInputOrStateBehind) {
  const auto left = BytesLeftBy<Md5>([](Md5& md5) {
    const std::string input(40, 'p');  // less than a block: it stays in the buffer
    md5.update(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
  });
  EXPECT_TRUE(AllZero(left));
}

TEST(SecretWipeTest, AssignedSecretOverwritesTheOldBytesInPlace) {
  std::string secret(40, 'o');
  const char* buffer = secret.data();
  AssignSecret(secret, "short");
  EXPECT_EQ(secret, "short");
  ASSERT_EQ(secret.data(), buffer);  // no copy of the old bytes freed elsewhere
  for (std::size_t i = secret.size() + 1; i < 40; ++i) {
    EXPECT_EQ(buffer[i], '\0') << i;
  }

  std::string grown = "old";
  AssignSecret(grown, std::string(100, 'n'));
  EXPECT_EQ(grown, std::string(100, 'n'));
}

}  // namespace
}  // namespace kestrel
