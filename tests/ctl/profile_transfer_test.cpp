// profiles export and import between two machines whose cards have different ids.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "ctl_machine.h"
#include "ctl_runner.h"
#include "profiles/profile_store.h"
#include "profiles/registry_helpers.h"

namespace kestrel::ctl {
namespace {

class Output : public CtlOutput {
 public:
  void line(const std::string& text) override { lines.push_back(text); }
  void error(const std::string& text) override { errors.push_back(text); }
  bool terminal() const override { return false; }
  void progress(const std::string&) override {}
  void document(const std::string& utf8) override { documentText += utf8; }
  std::string allErrors() const {
    std::string all;
    for (const std::string& e : errors)
      all += e + "\n";
    return all;
  }
  std::vector<std::string> lines;
  std::vector<std::string> errors;
  std::string documentText;
};

struct Machine : CtlMachine {
  explicit Machine(const std::string& cardId) {
    guids.texts = {cardId};
    discovery.FindAdapterDevice();
    adapterPresent = discovery.PickAdapter();
    std::string id;
    cardConfigId.GetCardConfigId(id);
  }

  int run(const std::vector<std::string>& words) {
    out = Output();
    std::string error;
    const auto command = ParseCommand(words, error);
    EXPECT_TRUE(command) << error;
    // As the console answers: --yes to every question the store asks.
    prompt.answers.assign(400, command && command->yes);
    CtlContext context{services, discovery, clock,    out,           adapterPresent, "Jun 30 2005",
                       codec,    ctlFiles,  registry, channelOpened, interrupted};
    return command ? RunCommand(*command, context) : -1;
  }

  WirelessProfile load(const std::string& name) {
    WirelessProfile profile;
    EXPECT_TRUE(store.LoadProfile(profile, name)) << name;
    return profile;
  }

  Output out;
};

std::string Configurations() {
  return std::string(kParameters) + "\\CustomParams\\Configurations";
}

// Every field the store keeps; the cipher copies are this card's and differ by design.
void ExpectSameFields(const WirelessProfile& a, const WirelessProfile& b) {
#define KESTREL_SAME(field) EXPECT_EQ(a.field, b.field) << #field
  KESTREL_SAME(ConfigurationName);
  KESTREL_SAME(NetworkConnectionType);
  KESTREL_SAME(NetworkName);
  KESTREL_SAME(AdHocChannel);
  KESTREL_SAME(NetBand);
  KESTREL_SAME(AdHocBand);
  KESTREL_SAME(WmmEnabled);
  KESTREL_SAME(ShortPreamble);
  KESTREL_SAME(PowerManagement);
  KESTREL_SAME(PHlength);
  KESTREL_SAME(tpc);
  KESTREL_SAME(FragThreshold);
  KESTREL_SAME(RTSThreshold);
  KESTREL_SAME(EnableSecurity);
  KESTREL_SAME(defaultKey);
  KESTREL_SAME(EapSelection);
  KESTREL_SAME(AdvancedAuthenticationType);
  KESTREL_SAME(EncryptionAlg);
  KESTREL_SAME(WPA);
  KESTREL_SAME(SharedKey);
  KESTREL_SAME(SharedKeyLength);
  KESTREL_SAME(DomainName);
  KESTREL_SAME(LoginName);
  KESTREL_SAME(ClientCertLen);
  KESTREL_SAME(Certificate);
  KESTREL_SAME(AdvancedUserName);
  KESTREL_SAME(AdvancedUserNameLength);
  KESTREL_SAME(AdvancedPassword);
  KESTREL_SAME(AdvancedPasswdLength);
  KESTREL_SAME(leapEnabled);
  KESTREL_SAME(leapUserName);
  KESTREL_SAME(leapUserNameLength);
  KESTREL_SAME(leapUserPasswd);
  KESTREL_SAME(leapUserPasswdLength);
  KESTREL_SAME(HexEntryPp);
  KESTREL_SAME(Passphrase);
  KESTREL_SAME(PassphraseLength);
  KESTREL_SAME(autoCellEnabled);
#undef KESTREL_SAME
}

WirelessProfile AdHocOpen() {
  WirelessProfile p;
  p.ConfigurationName = "Lab";
  p.NetworkConnectionType = 2;
  p.NetworkName = "lab-adhoc";
  p.AdHocChannel = 5180;
  p.AdHocBand = 1;
  p.EnableSecurity = 0;
  p.EapSelection = 0;
  p.AdvancedAuthenticationType = 0;
  p.EncryptionAlg = 0;
  p.WPA = 0;
  p.Passphrase.clear();
  p.PassphraseLength = 0;
  return p;
}

WirelessProfile WepFourKeys() {
  WirelessProfile p = AdHocOpen();
  p.ConfigurationName = "Warehouse";
  p.NetworkConnectionType = 1;
  p.NetworkName = "\x91\x71\x8C\xC9";  // 倉庫 in code page 932
  p.EnableSecurity = 1;
  p.AdvancedAuthenticationType = 3;
  p.EncryptionAlg = 1;
  p.defaultKey = 2;
  p.PHlength = 9;
  p.SharedKey = {"0A1B2C3D4E", "00112233445566778899AABBCC", "FFEEDDCCBBAA99887766554433221100",
                 "1234567890"};
  p.SharedKeyLength = {5, 13, 16, 5};
  return p;
}

WirelessProfile WpaPsk() {
  WirelessProfile p;
  p.ConfigurationName = "Office";
  p.NetworkName = "OFFICE \"main\" \\ net";
  p.Passphrase = "correct horse battery";
  p.PassphraseLength = static_cast<std::int32_t>(p.Passphrase.size());
  p.NetBand = 12;
  p.FragThreshold = 1000;
  p.RTSThreshold = 500;
  p.tpc = 2;
  p.autoCellEnabled = 0;
  return p;
}

WirelessProfile WpaHex() {
  WirelessProfile p = WpaPsk();
  p.ConfigurationName = "Hex";
  p.HexEntryPp = 1;
  p.Passphrase = std::string(32, 'A') + std::string(32, '7');
  p.PassphraseLength = 64;
  return p;
}

WirelessProfile Dot1x() {
  WirelessProfile p;
  p.ConfigurationName = "Campus";
  p.NetworkName = "campus";
  p.EapSelection = 1;
  p.AdvancedAuthenticationType = 4;
  p.EncryptionAlg = 4;
  p.DomainName = "CORP";
  p.LoginName = "taro";
  p.ClientCertLen = 20;
  for (std::size_t i = 0; i < kCertificateBytes; ++i)
    p.Certificate[i] = static_cast<std::uint8_t>(i * 13 + 1);
  p.AdvancedUserName = "taro.yamada";
  p.AdvancedUserNameLength = 11;
  p.AdvancedPassword = "s3cret pw";
  p.AdvancedPasswdLength = 9;
  p.leapEnabled = 1;
  p.leapUserName = "leapuser";
  p.leapUserNameLength = 8;
  p.leapUserPasswd = "leap-pass";
  p.leapUserPasswdLength = 9;
  p.Passphrase.clear();
  p.PassphraseLength = 0;
  p.SharedKey[0] = "7C7C7C7C7C";
  p.SharedKeyLength[0] = 5;
  return p;
}

class ProfileTransfer : public ::testing::Test {
 protected:
  ProfileTransfer() {
    for (const WirelessProfile& p : {AdHocOpen(), WepFourKeys(), WpaPsk(), WpaHex(), Dot1x()}) {
      WirelessProfile copy = p;
      EXPECT_TRUE(source.store.SaveProfile(copy, p.ConfigurationName));
    }
    // As an earlier version stored it: no preamble value, the certificate length a DWORD.
    WirelessProfile old = Dot1x();
    old.ConfigurationName = "Old";
    old.ClientCertLen = 4;
    EXPECT_TRUE(source.store.SaveProfile(old, "Old"));
    const std::string oldKey = Configurations() + "\\Old";
    RegistryKeyHandle key = 0;
    EXPECT_TRUE(
        source.registry.openKey(RegistryHive::LocalMachine, oldKey, RegistryAccess::Full, key));
    source.registry.deleteValue(key, "ShortPreamble");
    source.registry.closeKey(key);
    RegWriteDword(source.registry, RegistryHive::LocalMachine, oldKey, "ClientCertLen", 4);
    // The target already has a profile of its own.
    WirelessProfile home = WpaPsk();
    home.ConfigurationName = "Home";
    EXPECT_TRUE(target.store.SaveProfile(home, "Home"));
  }

  std::string exported(const std::vector<std::string>& names = {}, bool secrets = true) {
    std::vector<std::string> words = {"profiles", "export", "-"};
    words.insert(words.end(), names.begin(), names.end());
    if (secrets)
      words.push_back("--include-secrets");
    EXPECT_EQ(source.run(words), kExitSuccess) << source.out.allErrors();
    return source.out.documentText;
  }

  // Imports a document on the target and expects a refusal that names `fault` and leaves
  // the registry exactly as it was.
  void expectRefused(const std::string& document, const std::string& fault,
                     std::vector<std::string> options = {}) {
    target.ctlFiles.files["in.json"] = document;
    const std::string before = target.registry.dump();
    std::vector<std::string> words = {"profiles", "import", "in.json"};
    words.insert(words.end(), options.begin(), options.end());
    EXPECT_EQ(target.run(words), kExitRefused);
    EXPECT_NE(target.out.allErrors().find(fault), std::string::npos)
        << "wanted \"" << fault << "\" in:\n"
        << target.out.allErrors();
    EXPECT_TRUE(target.registry.dump() == before) << "the registry changed";
    EXPECT_TRUE(target.out.lines.empty());
  }

  // The document with the first `from` replaced by `to` (which must be found).
  static std::string Edited(std::string document, const std::string& from, const std::string& to) {
    const auto at = document.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
      document.replace(at, from.size(), to);
    return document;
  }

  Machine source{"aaaaaaaa-1111-4222-8333-444444444444"};
  Machine target{"bbbbbbbb-5555-4666-8777-888888888888"};
  const std::vector<std::string> kNames = {"Lab", "Warehouse", "Office", "Hex", "Campus", "Old"};
};

TEST_F(ProfileTransfer, EveryKindArrivesIdenticalUnderAnotherCardId) {
  const std::string document = exported();
  target.ctlFiles.files["office.json"] = document;
  ASSERT_EQ(target.run({"profiles", "import", "office.json"}), kExitSuccess)
      << target.out.allErrors();
  EXPECT_EQ(target.out.lines.size(), kNames.size());
  for (const std::string& name : kNames) {
    SCOPED_TRACE(name);
    ExpectSameFields(source.load(name), target.load(name));
  }
  // Same secrets, different cipher texts: each card's id keys its own.
  EXPECT_NE(source.load("Office").passphraseCipher, target.load("Office").passphraseCipher);
  std::vector<std::string> listed;
  target.store.EnumerateProfiles([&](const std::string& n) { listed.push_back(n); });
  EXPECT_EQ(listed, (std::vector<std::string>{"Home", "Lab", "Warehouse", "Office", "Hex", "Campus",
                                              "Old"}));
}

TEST_F(ProfileTransfer, ExportWritesNoSecretUnlessAskedAndSaysSo) {
  const std::string document = exported({}, false);
  EXPECT_NE(document.find("\"secrets\": \"omitted\""), std::string::npos);
  for (const char* secret : {"correct horse", "s3cret", "leap-pass", "0A1B2C3D4E", "SharedKey",
                             "Passphrase\"", "AdvancedPassword"})
    EXPECT_EQ(document.find(secret), std::string::npos) << secret;
  EXPECT_NE(source.out.allErrors().find("without keys"), std::string::npos);
  // The file is UTF-8 and keeps the SSID's exact bytes beside its text.
  EXPECT_NE(document.find("\"NetworkName\": \"\xE5\x80\x89\xE5\xBA\xAB\""), std::string::npos);
  EXPECT_NE(document.find("\"ssid_hex\": \"91718CC9\""), std::string::npos);

  exported();
  EXPECT_NE(source.out.allErrors().find("IN THE CLEAR"), std::string::npos);
}

TEST_F(ProfileTransfer, ExportTakesNamedProfilesOrEveryUserProfile) {
  WirelessProfile defaults;
  ASSERT_TRUE(source.store.SaveProfile(defaults, kVirtualProfileName));
  const std::string all = exported({}, false);
  EXPECT_EQ(all.find("VirtualProfile"), std::string::npos);
  ASSERT_EQ(source.run({"profiles", "export", "two.json", "Hex", "Lab"}), kExitSuccess);
  const std::string two = source.ctlFiles.files["two.json"];
  EXPECT_NE(two.find("\"name\": \"Hex\""), std::string::npos);
  EXPECT_NE(two.find("\"name\": \"Lab\""), std::string::npos);
  EXPECT_EQ(two.find("\"name\": \"Office\""), std::string::npos);

  EXPECT_EQ(source.run({"profiles", "export", "x.json", "Hex", "Nowhere"}), kExitRefused);
  EXPECT_NE(source.out.allErrors().find("Nowhere"), std::string::npos);
  EXPECT_EQ(source.ctlFiles.files.count("x.json"), 0u);
  source.ctlFiles.unwritable = "locked.json";
  EXPECT_EQ(source.run({"profiles", "export", "locked.json"}), kExitRefused);
  EXPECT_NE(source.out.allErrors().find("cannot be written"), std::string::npos);
}

TEST_F(ProfileTransfer, AFileWithoutSecretsImportsOnlyProfilesThatNeedNone) {
  const std::string document = exported({}, false);
  expectRefused(document, "WEP needs its keys: export with --include-secrets");
  ASSERT_EQ(source.run({"profiles", "export", "open.json", "Lab", "Campus"}), kExitSuccess);
  target.ctlFiles.files["open.json"] = source.ctlFiles.files["open.json"];
  ASSERT_EQ(target.run({"profiles", "import", "open.json"}), kExitSuccess)
      << target.out.allErrors();
  EXPECT_EQ(target.load("Lab").NetworkName, "lab-adhoc");
  EXPECT_EQ(target.load("Campus").AdvancedPassword, "");
  EXPECT_EQ(target.load("Campus").leapUserName, "leapuser");
}

TEST_F(ProfileTransfer, EachBadProfileIsNamedWithItsFieldAndNothingIsWritten) {
  const std::string good = exported();
  struct Case {
    std::string from, to, fault;
  };
  const std::vector<Case> cases = {
      {"\"correct horse battery\"", "\"short\"", "profile 3 \"Office\", Passphrase (line"},
      {"\"00112233445566778899AABBCC\"", "\"00112233445566778899AABBC\"",
       "\"Warehouse\", SharedKey2"},
      {"\"0A1B2C3D4E\"", "\"0A1B2C3D4G\"", "SharedKey1"},
      {"\"FFEEDDCCBBAA99887766554433221100\"", "\"\"", "the transmit key (defaultKey) is empty"},
      {"\"name\": \"Lab\"", "\"name\": \"default\"", "name (line"},
      {"\"name\": \"Lab\"", "\"name\": \"NEW PROFILE\"", "name (line"},
      {"\"name\": \"Lab\"", "\"name\": \"" + std::string(33, 'n') + "\"", "longer than 32"},
      {"\"name\": \"Lab\"", "\"name\": \"a\\\\b\"", "backslash"},
      {"\"name\": \"Lab\"", "\"name\": \"Hex\"", "named twice"},
      {"\"name\": \"Lab\"", "\"name\": \"HOME\"", "differs only in letter case"},
      {"\"FragThreshold\": 1000", "\"FragThreshold\": 5000", "FragThreshold (line"},
      {"\"FragThreshold\": 1000", "\"FragThreshold\": 2147483648", "out of range"},
      {"\"FragThreshold\": 1000", "\"FragThreshold\": 1000.5", "out of range"},
      {"\"FragThreshold\": 1000", "\"FragThreshold\": \"1000\"", "a number expected"},
      {"\"defaultKey\": 2", "\"defaultKey\": 4", "defaultKey"},
      {"\"EnableSecurity\": 0", "\"EnableSecurity\": 2", "not for ad hoc networks"},
      {"\"ssid_hex\": \"6C61622D6164686F63\"", "\"ssid_hex\": \"416E79\"", "does not match"},
      {"\"NetworkName\": \"lab-adhoc\",\n      \"ssid_hex\": \"6C61622D6164686F63\"",
       "\"NetworkName\": \"Any\",\n      \"ssid_hex\": \"416E79\"", "cannot be \"Any\""},
      {"\"NetworkName\": \"lab-adhoc\"", "\"NetworkName\": \"lab-adhoX\"", "does not match"},
      {"\"ssid_hex\": \"6C61622D6164686F63\"", "\"ssid_hex\": \"6C6\"", "hex digits"},
      {"\"ssid_hex\": \"6C61622D6164686F63\"", "\"ssid_hex\": \"" + std::string(66, 'A') + "\"",
       "more than 32 bytes"},
      {"\"DomainName\": \"CORP\"", "\"DomainName\": \"" + std::string(300, 'd') + "\"",
       "longer than 258 bytes"},
      {"\"DomainName\": \"CORP\"", "\"DomainName\": \"\xF0\x9F\x98\x80\"", "cannot spell"},
      {"\"DomainName\": \"CORP\"", "\"DomainName\": \"C\\u0000P\"", "zero character"},
      {"\"DomainName\": \"CORP\"", "\"DomainName\": \"C\xC3\"", "not UTF-8"},
      {"\"DomainName\": \"CORP\"", "\"Domain\": \"CORP\"", "DomainName is missing"},
      {"\"LoginName\": \"taro\"", "\"LoginName\": \"taro\", \"Extra\": 1", "no such field"},
      {"\"LoginName\": \"taro\"", "\"LoginName\": \"taro\", \"LoginName\": \"x\"", "given twice"},
      {"\"ClientCertLen\": 20", "\"ClientCertLen\": 19", "ClientCertLen says 19"},
      {"\"version\": 1", "\"version\": 2", "format version 2, this kestrelctl reads version 1"},
      {"\"format\": \"kestrel-profiles\"", "\"format\": \"other\"", "not a \"kestrel-profiles\""},
      {"\"secrets\": \"included\"", "\"secrets\": \"omitted\"", "a secret in a file that says"},
      {"\"profiles\": [", "\"profiles\": [,", "line 6, column 16: no JSON value begins here"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.to);
    expectRefused(Edited(good, c.from, c.to), c.fault);
  }
}

TEST_F(ProfileTransfer, EveryFaultOfAFileIsListedOnItsOwnLine) {
  std::string document = exported();
  document = Edited(document, "\"correct horse battery\"", "\"short\"");
  document = Edited(document, "\"FragThreshold\": 2346", "\"FragThreshold\": -1");
  target.ctlFiles.files["in.json"] = document;
  EXPECT_EQ(target.run({"profiles", "import", "in.json"}), kExitRefused);
  ASSERT_EQ(target.out.errors.size(), 3u) << target.out.allErrors();
  EXPECT_NE(target.out.errors[0].find("\"Lab\", FragThreshold"), std::string::npos);
  EXPECT_NE(target.out.errors[1].find("\"Office\", Passphrase"), std::string::npos);
  EXPECT_EQ(target.out.errors[2], "not imported: nothing was written");
}

TEST_F(ProfileTransfer, AFileCutAtAnyByteIsRefusedCleanly) {
  const std::string document = exported();
  // Only the final line end may go: the document is complete without it.
  ASSERT_EQ(document.substr(document.size() - 2), "}\n");
  const std::string before = target.registry.dump();
  for (std::size_t size = 0; size + 1 < document.size(); ++size) {
    target.ctlFiles.files["cut.json"] = document.substr(0, size);
    ASSERT_EQ(target.run({"profiles", "import", "cut.json"}), kExitRefused) << size;
    ASSERT_FALSE(target.out.errors.empty()) << size;
    ASSERT_NE(target.out.errors[0].find("line "), std::string::npos)
        << size << ": " << target.out.errors[0];
  }
  EXPECT_TRUE(target.registry.dump() == before) << "the registry changed";
  target.ctlFiles.files["cut.json"] = document.substr(0, document.size() - 1);
  EXPECT_EQ(target.run({"profiles", "import", "cut.json"}), kExitSuccess);
}

TEST_F(ProfileTransfer, StoredNamesAreReplacedOnlyWithReplaceAndYes) {
  std::string document = Edited(exported({"Office"}), "\"name\": \"Office\"", "\"name\": \"Home\"");
  expectRefused(document, "\"Home\": already stored (--replace --yes replaces it)");
  expectRefused(document, "--replace overwrites it only with --yes", {"--replace"});
  ASSERT_EQ(target.run({"profiles", "import", "in.json", "--replace", "--yes"}), kExitSuccess)
      << target.out.allErrors();
  EXPECT_EQ(target.load("Home").NetworkName, "OFFICE \"main\" \\ net");
  EXPECT_EQ(target.load("Home").ConfigurationName, "Office");
  std::vector<std::string> listed;
  target.store.EnumerateProfiles([&](const std::string& n) { listed.push_back(n); });
  EXPECT_EQ(listed, std::vector<std::string>{"Home"});
}

TEST_F(ProfileTransfer, TheHundredNameLimitCountsTheWholeFile) {
  for (int i = 0; i < 95; ++i) {
    WirelessProfile p;
    ASSERT_TRUE(target.store.SaveProfile(p, "p" + std::to_string(i)));
  }
  expectRefused(exported(), "the file would make 102 profiles; the store keeps at most 100");
  const std::string five = exported({"Lab", "Warehouse", "Office", "Hex"});
  target.ctlFiles.files["four.json"] = five;
  EXPECT_EQ(target.run({"profiles", "import", "four.json"}), kExitSuccess)
      << target.out.allErrors();
}

TEST_F(ProfileTransfer, AWriteThatFailsHalfWayRestoresTheRegistry) {
  const std::string document = exported();
  target.ctlFiles.files["in.json"] = document;
  const std::string before = target.registry.dump();
  for (const int failing : {1, 40, 130}) {
    SCOPED_TRACE(failing);
    target.registry.failWriteNumber = target.registry.writes + failing;
    EXPECT_EQ(target.run({"profiles", "import", "in.json"}), kExitRefused);
    EXPECT_NE(target.out.allErrors().find("the profiles were restored as they were"),
              std::string::npos)
        << target.out.allErrors();
    EXPECT_TRUE(target.registry.dump() == before) << "the registry changed";
  }
  target.registry.failWriteNumber = 0;
  // A replaced profile comes back with its fields.
  const WirelessProfile home = target.load("Home");
  const std::string replacing =
      Edited(exported({"Hex", "Lab"}), "\"name\": \"Lab\"", "\"name\": \"Home\"");
  target.ctlFiles.files["in.json"] = replacing;
  target.registry.failWriteNumber = target.registry.writes + 70;
  EXPECT_EQ(target.run({"profiles", "import", "in.json", "--replace", "--yes"}), kExitRefused);
  target.registry.failWriteNumber = 0;
  ExpectSameFields(target.load("Home"), home);
  EXPECT_FALSE(target.store.LoadProfile(*std::make_unique<WirelessProfile>(), "Hex"));
}

TEST_F(ProfileTransfer, FilesThatCannotBeReadAreRefused) {
  EXPECT_EQ(target.run({"profiles", "import", "missing.json"}), kExitRefused);
  EXPECT_NE(target.out.allErrors().find("missing.json cannot be read"), std::string::npos);
  expectRefused(std::string((1u << 20) + 1, ' '), "is larger than 1048576 bytes");
  expectRefused("", "line 1, column 1: the document ends where a value should be");
  expectRefused("[]", "not a JSON object");
  EXPECT_EQ(target.run({"profiles", "import", "-"}), kExitRefused);
}

}  // namespace
}  // namespace kestrel::ctl
