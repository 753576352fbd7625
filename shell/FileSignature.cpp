#include "shell/FileSignature.h"

#include <windows.h>

#include <softpub.h>
#include <wincrypt.h>
#include <wintrust.h>

#include <memory>

namespace update {
namespace {

// wintrust.dll is loaded only for this check, so that an ordinary start of the program
// does not map it; its functions are looked up by name.
struct LibraryRelease {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using Library = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryRelease>;

using ProvDataFunction = CRYPT_PROVIDER_DATA*(WINAPI*)(HANDLE);
using SignerFunction = CRYPT_PROVIDER_SGNR*(WINAPI*)(CRYPT_PROVIDER_DATA*, DWORD, BOOL, DWORD);
using NameFunction = DWORD(WINAPI*)(PCCERT_CONTEXT, DWORD, DWORD, void*, LPSTR, DWORD);

template <typename Function>
Function Lookup(HMODULE module, const char* name)
{
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// The name of the certificate that signed, from the trust check's state; empty when the
// helpers are missing or the chain holds no certificate.
std::string SignerName(HMODULE wintrust, HANDLE state)
{
    auto provData = Lookup<ProvDataFunction>(wintrust, "WTHelperProvDataFromStateData");
    auto signerOf = Lookup<SignerFunction>(wintrust, "WTHelperGetProvSignerFromChain");
    // The trust check has loaded crypt32.dll for itself.
    auto nameOf = Lookup<NameFunction>(GetModuleHandleA("crypt32.dll"), "CertGetNameStringA");
    if (!state || !provData || !signerOf || !nameOf)
        return {};
    CRYPT_PROVIDER_DATA* data = provData(state);
    CRYPT_PROVIDER_SGNR* signer = data ? signerOf(data, 0, FALSE, 0) : nullptr;
    if (!signer || signer->csCertChain == 0 || !signer->pasCertChain || !signer->pasCertChain[0].pCert)
        return {};
    PCCERT_CONTEXT certificate = signer->pasCertChain[0].pCert;
    const DWORD size = nameOf(certificate, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, nullptr, 0);
    if (size <= 1)
        return {};
    std::string name(size, '\0');
    nameOf(certificate, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, &name[0], size);
    name.resize(size - 1);
    return name;
}

} // namespace

Signature CheckSignature(const std::string& path, TrustCheck check)
{
    Library wintrust(LoadLibraryA("wintrust.dll"));
    const TrustCheck verify = check ? check : Lookup<TrustCheck>(wintrust.get(), "WinVerifyTrust");
    if (!verify)
        return {};
    const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    std::wstring widePath(length > 0 ? length : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &widePath[0], length);

    WINTRUST_FILE_INFO file = {};
    file.cbStruct = sizeof(file);
    file.pcwszFilePath = widePath.c_str();
    WINTRUST_DATA trust = {};
    trust.cbStruct = sizeof(trust);
    trust.dwUIChoice = WTD_UI_NONE;
    // A certificate revoked since it signed (its key stolen, say) vouches for nothing: every
    // certificate of the chain is checked, up to the root, which the system's store itself
    // vouches for and which names no server to ask. Asking the issuers' servers takes the
    // network's time; the caller shows the hourglass meanwhile.
    trust.fdwRevocationChecks = WTD_REVOKE_WHOLECHAIN;
    trust.dwProvFlags = WTD_REVOCATION_CHECK_CHAIN_EXCLUDE_ROOT;
    trust.dwUnionChoice = WTD_CHOICE_FILE;
    trust.pFile = &file;
    trust.dwStateAction = WTD_STATEACTION_VERIFY;
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    const LONG status = verify(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &trust);

    Signature result;
    switch (status) {
    case ERROR_SUCCESS:
        result.state = SignatureState::Signed;
        result.signer = SignerName(wintrust.get(), trust.hWVTStateData);
        break;
    // No answer about revocation (offline, or a server that cannot be reached) is no
    // answer that the signature holds.
    case CERT_E_REVOCATION_FAILURE:
    case CRYPT_E_REVOCATION_OFFLINE:
        result.state = SignatureState::RevocationUnknown;
        result.signer = SignerName(wintrust.get(), trust.hWVTStateData);
        break;
    case TRUST_E_NOSIGNATURE:
    case TRUST_E_SUBJECT_FORM_UNKNOWN:
    case TRUST_E_PROVIDER_UNKNOWN:
        result.state = SignatureState::NotSigned;
        break;
    default:
        result.state = SignatureState::Invalid;
        break;
    }
    // The check keeps its state until told to let go, whatever it found.
    trust.dwStateAction = WTD_STATEACTION_CLOSE;
    verify(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &trust);
    return result;
}

} // namespace update
