#pragma once
// The simulated 802.1X client over a simulated adapter on a hand-driven clock, and the
// model seen through the binding's port.

#include <memory>
#include <vector>

#include "aegis_model/simulated_dot1x_library.h"
#include "sim_test_support.h"

namespace kestrel::sim::testing {

class LocalAccess : public AdapterAccess {
 public:
  explicit LocalAccess(SimulatedAdapter& adapter) : adapter_(adapter) {}
  bool reachable = true;
  bool withAdapter(const std::function<void(SimulatedAdapter&)>& work) override {
    if (!reachable)
      return false;
    work(adapter_);
    return true;
  }

 private:
  SimulatedAdapter& adapter_;
};

// The model as the binding sees a loaded library.
class ModelPort : public Dot1xLibrary {
 public:
  explicit ModelPort(SimulatedDot1xLibrary& model) : m_(model) {}

  bool load(Dot1xLoadFailure&) override { return true; }
  AcContext globalOpenContext(const char* a, const char* t) override {
    return m_.globalOpenContext(a, t);
  }
  int contextType(AcContext c) override { return m_.contextType(c); }
  AcContext iterateAdapters(AcContext g) override { return m_.iterateAdapters(g); }
  AcContext iterateAdaptersNext(AcContext i) override { return m_.iterateAdaptersNext(i); }
  AcContext adapterGetMacAddress(AcContext a, std::uint8_t mac[6]) override {
    return m_.adapterGetMacAddress(a, mac);
  }
  int statusNumber(AcContext r) override { return m_.statusNumber(r); }
  AcContext contextCopyHandle(AcContext c) override { return m_.contextCopyHandle(c); }
  int contextRelease(AcContext c) override { return m_.contextRelease(c); }
  AcContext adapterAuthenticateStop(AcContext a) override { return m_.adapterAuthenticateStop(a); }
  AcContext contextConfigWpa(AcContext a, int e) override { return m_.contextConfigWpa(a, e); }
  AcContext contextConfigWpaEx(AcContext a, int e, const char* p, const char* n, int r1,
                               int r2) override {
    return m_.contextConfigWpaEx(a, e, p, n, r1, r2);
  }
  AcContext configLeapCredentials(AcContext a, const char* u, const char* p) override {
    return m_.configLeapCredentials(a, u, p);
  }
  AcContext configMd5Credentials(AcContext a, const char* u, const char* p) override {
    return m_.configMd5Credentials(a, u, p);
  }
  AcContext configPeapCredentials(AcContext a, const char* i, const CertificateBlob* ca,
                                  const CertificateBlob* cl, int o1, const char* u, const char* p,
                                  int o2, int f1, int f2) override {
    return m_.configPeapCredentials(a, i, ca, cl, o1, u, p, o2, f1, f2);
  }
  AcContext configTlsCredentials(AcContext a, const char* i, const CertificateBlob* ca,
                                 const CertificateBlob* cl, int o2, int f1, int f2) override {
    return m_.configTlsCredentials(a, i, ca, cl, o2, f1, f2);
  }
  AcContext configTtlsCredentials(AcContext a, const char* i, const CertificateBlob* ca,
                                  const CertificateBlob* cl, int o1, const char* u, const char* p,
                                  int o2, int f1, int f2) override {
    return m_.configTtlsCredentials(a, i, ca, cl, o1, u, p, o2, f1, f2);
  }
  AcContext contextAttachEvent(AcContext c, void* e) override {
    return m_.contextAttachEvent(c, e);
  }
  AcContext adapterAuthenticate(AcContext a, int f) override {
    return m_.adapterAuthenticate(a, f);
  }
  AcContext adapterGetName(AcContext a, char* b, std::uint32_t s) override {
    return m_.adapterGetName(a, b, s);
  }
  AcContext statusFormat(AcContext r, char* b, std::uint32_t s) override {
    return m_.statusFormat(r, b, s);
  }
  AcContext statusRelatedContext(AcContext r) override { return m_.statusRelatedContext(r); }
  AcContext getLogError(AcContext l, char* b, std::uint32_t s) override {
    return m_.getLogError(l, b, s);
  }
  int credentialsNumber(AcContext c) override { return m_.credentialsNumber(c); }
  void* createAutoResetEvent() override {
    events_.push_back(std::make_unique<int>(0));
    return events_.back().get();
  }
  void closeEvent(void*) override {}

 private:
  SimulatedDot1xLibrary& m_;
  std::vector<std::unique_ptr<int>> events_;
};

}  // namespace kestrel::sim::testing
