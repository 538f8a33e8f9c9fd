#include "SelfSignedCertificate.h"

#include <openssl/rsa.h>
#include <openssl/x509v3.h>

namespace wx::sim {
namespace {

struct ExtensionDeleter {
    void operator()(X509_EXTENSION* extension) const { X509_EXTENSION_free(extension); }
};

bool addExtension(X509* certificate, int nid, const char* value) {
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, certificate, certificate, nullptr, nullptr, 0);
    const std::unique_ptr<X509_EXTENSION, ExtensionDeleter> extension(
        X509V3_EXT_conf_nid(nullptr, &context, nid, value));
    return extension && X509_add_ext(certificate, extension.get(), -1) == 1;
}

}  // namespace

SelfSignedCertificate SelfSignedCertificate::make() {
    SelfSignedCertificate result;
    result.key.reset(EVP_RSA_gen(2048));
    result.certificate.reset(X509_new());
    X509* cert = result.certificate.get();
    if (!result.key || cert == nullptr) {
        return {};
    }
    X509_NAME* name = X509_get_subject_name(cert);
    const bool ok =
        X509_set_version(cert, 2) == 1 && ASN1_INTEGER_set(X509_get_serialNumber(cert), 1) == 1 &&
        X509_gmtime_adj(X509_getm_notBefore(cert), -24L * 3600) != nullptr &&
        X509_gmtime_adj(X509_getm_notAfter(cert), 30L * 24 * 3600) != nullptr &&
        X509_set_pubkey(cert, result.key.get()) == 1 &&
        X509_NAME_add_entry_by_txt(name, "O", MBSTRING_ASC,
                                   reinterpret_cast<const unsigned char*>("Nubiro web-services stand-in"), -1, -1,
                                   0) == 1 &&
        X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>("127.0.0.1"),
                                   -1, -1, 0) == 1 &&
        X509_set_issuer_name(cert, name) == 1 &&
        addExtension(cert, NID_subject_alt_name, "IP:127.0.0.1,DNS:localhost") &&
        addExtension(cert, NID_basic_constraints, "critical,CA:FALSE") &&
        X509_sign(cert, result.key.get(), EVP_sha256()) > 0;
    if (!ok) {
        return {};
    }
    return result;
}

}  // namespace wx::sim
