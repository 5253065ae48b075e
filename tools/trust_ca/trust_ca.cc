// trust_ca CA.pem: adds one PEM (or DER) certificate to the local machine's "Root" system store, with
// the CryptoAPI. Run under Wine, the store lives in the prefix's registry, so the certificate becomes
// trusted inside that prefix only. Adding a certificate that is already there changes nothing.
// Exit code 0 on success; 1 with a message on standard error otherwise.

#include <windows.h>
// After windows.h, which it builds on.
#include <wincrypt.h>

#include <cstdio>
#include <vector>

namespace {

// Whole file contents, or false when the file cannot be read (or is larger than 1 MB, which no
// certificate is).
bool ReadWholeFile(const wchar_t* path, std::vector<BYTE>* contents) {
  HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size = {};
  bool ok = GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart <= (1 << 20);
  DWORD read = 0;
  if (ok) {
    contents->resize(static_cast<size_t>(size.QuadPart));
    ok = ReadFile(file, contents->data(), static_cast<DWORD>(contents->size()), &read, nullptr) &&
         read == contents->size();
  }
  CloseHandle(file);
  return ok;
}

// The DER encoding: decoded from the first PEM block of `text`, or `text` itself when it is not PEM.
std::vector<BYTE> DerFromFileContents(const std::vector<BYTE>& text) {
  DWORD size = 0;
  const auto* pem = reinterpret_cast<const char*>(text.data());
  const auto length = static_cast<DWORD>(text.size());
  if (!CryptStringToBinaryA(pem, length, CRYPT_STRING_BASE64HEADER, nullptr, &size, nullptr, nullptr)) {
    return text;
  }
  std::vector<BYTE> der(size);
  if (!CryptStringToBinaryA(pem, length, CRYPT_STRING_BASE64HEADER, der.data(), &size, nullptr, nullptr)) {
    return {};
  }
  der.resize(size);
  return der;
}

int Fail(const char* what, const wchar_t* path) {
  fprintf(stderr, "trust_ca: %s %ls (error %lu)\n", what, path, GetLastError());
  return 1;
}

}  // namespace

// The entry point of a -municode program; the C runtime calls it.
int wmain(int argc, wchar_t** argv);

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: trust_ca CA.pem\n");
    return 1;
  }
  const wchar_t* path = argv[1];
  std::vector<BYTE> contents;
  if (!ReadWholeFile(path, &contents)) return Fail("cannot read", path);
  const std::vector<BYTE> der = DerFromFileContents(contents);
  PCCERT_CONTEXT certificate = der.empty() ? nullptr
                                           : CertCreateCertificateContext(X509_ASN_ENCODING, der.data(),
                                                                          static_cast<DWORD>(der.size()));
  if (!certificate) return Fail("no certificate in", path);

  HCERTSTORE root = CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, L"Root");
  if (!root) {
    CertFreeCertificateContext(certificate);
    return Fail("cannot open the Root store for", path);
  }
  const bool added =
      CertAddCertificateContextToStore(root, certificate, CERT_STORE_ADD_USE_EXISTING, nullptr);
  const DWORD error = GetLastError();
  CertCloseStore(root, 0);
  CertFreeCertificateContext(certificate);
  if (!added) {
    SetLastError(error);
    return Fail("cannot add to the Root store:", path);
  }
  printf("trust_ca: %ls is trusted in this prefix\n", path);
  return 0;
}
