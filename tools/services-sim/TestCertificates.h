#pragma once

#include <memory>
#include <optional>
#include <string>

#include <openssl/evp.h>
#include <openssl/x509.h>

namespace wx::sim {

struct KeyDeleter {
    void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
struct CertificateDeleter {
    void operator()(X509* certificate) const { X509_free(certificate); }
};

struct KeyAndCertificate {
    std::unique_ptr<EVP_PKEY, KeyDeleter> key;
    std::unique_ptr<X509, CertificateDeleter> certificate;
};

// A certificate authority of the stand-in's own, made at start, and two
// server certificates it signed, each valid from a day ago for thirty days:
// one for the loopback address (as an IP and as a DNS name, since some TLS
// stacks match an address only against DNS names) and localhost, one for
// another host only. A client that trusts the authority accepts the first
// and refuses the second for its name alone; one that does not refuses
// both as of an unknown authority.
struct TestCertificates {
    KeyAndCertificate authority;
    KeyAndCertificate loopback;
    KeyAndCertificate wrongHost;

    // Empty when OpenSSL fails.
    static std::optional<TestCertificates> make();
    // The authority's certificate in PEM, for the clients to trust.
    std::string authorityPem() const;
};

// The host name the wrong-host certificate is made out to.
inline constexpr const char* kWrongHostName = "wrong-host.invalid";

}  // namespace wx::sim
