#include "dot1x/dot1x_names.h"

namespace kestrel {

namespace {

struct NamedStatus {
  int number;
  const char* name;
};

constexpr NamedStatus kStatusNames[] = {
    {1, "AcStatusNewAdapter"},
    {2, "AcStatusRemoveAdapter"},
    {3, "AcStatusNotAssociated"},
    {4, "AcStatusNotConnected"},
    {10, "AcStatus8021xStopped"},
    {11, "AcStatus8021xGenericInvalid"},
    {12, "AcStatus8021xGenericSuccess"},
    {13, "AcStatus8021xConnecting"},
    {14, "AcStatus8021xDisconnected"},
    {15, "AcStatus8021xHeld"},
    {16, "AcStatus8021xAuthenticated"},
    {18, "AcStatus8021xAcquired"},
    {19, "AcStatus8021xAuthenticating"},
    {20, "AcStatus8021xLogoff"},
    {30, "AcStatusSuccess"},
    {31, "AcStatusEventAttached"},
    {32, "AcStatusEventDetached"},
    {33, "AcStatusNoStatusChange"},
    {40, "AcErrorBufferTooSmall"},
    {41, "AcErrorFailure"},
    {42, "AcErrorInitializationFailure"},
    {43, "AcErrorKernelOutOfEventHandles"},
    {45, "AcErrorNoMoreAdapters"},
    {46, "AcErrorNotAdapterContext"},
    {47, "AcErrorNotCorrectContext"},
    {48, "AcErrorNotCorrectContextForEvent"},
    {49, "AcErrorNotGlobalContext"},
    {50, "AcErrorNotIteratorContext"},
    {51, "AcErrorNullFunctionParamater"},
    {52, "AcErrorNullContext"},
    {53, "AcErrorOnlyOneCredentialsContext"},
    {54, "AcErrorOnlyOneGlobalContext"},
    {55, "AcErrorOnlyOneIteratorContext"},
    {56, "AcErrorOnlyOneRemoveContext"},
    {57, "AcErrorOnlyOneStatusContext"},
    {59, "AcErrorInvalidParameter"},
    {60, "AcStatus8021xClientGenericRejected"},
    {61, "AcStatus8021xClientIdentityRejected"},
    {62, "AcStatus8021xClientPasswordRejected"},
    {63, "AcStatus8021xEapMethodRejected"},
    {64, "AcStatus8021xInvalidServerCertificate"},
    {65, "AcStatus8021xInvalidServerGeneric"},
    {66, "AcStatus8021xInvalidServerIdentity"},
    {67, "AcStatus8021xNoAAAServer"},
    {68, "AcStatus8021xSuccessButInvalidKey"},
    {69, "AcStatus8021xSuccessKeyReceived"},
    {70, "AcStatus8021xTlsCertificateRejected"},
    {71, "AcStatus8021xUnexpectedEarlySuccess"},
    {72, "AcStatus8021xUnknown"},
    {73, "AcStatus8021xWaitingForKey"},
    {74, "AcStatus8021xLeapChallengeToApFailed"},
    {75, "AcStatus8021xRogueAuthenticationTimeout"},
    {76, "AcStatus8021xSpecial1AuthenticationTimeout"},
    {80, "AcStatusDhcpStarting"},
    {81, "AcStatusDhcpReleasing"},
    {82, "AcStatusDhcpRenewing"},
    {83, "AcStatusDhcpSuccess"},
    {84, "AcStatusDhcpFailure"},
};

constexpr const char* kCredentialsNames[] = {
    "CredentialsTypeUnknown", "Identity", "Ttls", "Tls", "MD5", "Leap", "Peap", "PeapGtcPassword",
};

}  // namespace

const char* StatusName(int status) {
  for (const NamedStatus& entry : kStatusNames) {
    if (entry.number == status)
      return entry.name;
  }
  return "?AcStatusEnum?";
}

const char* CredentialsName(int credentials) {
  constexpr int kCount = static_cast<int>(sizeof kCredentialsNames / sizeof kCredentialsNames[0]);
  if (credentials < 0 || credentials >= kCount)
    return "?AcEapMethodEnum?";
  return kCredentialsNames[credentials];
}

}  // namespace kestrel
