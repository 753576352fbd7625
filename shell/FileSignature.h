// Whether a file carries a valid Authenticode signature, and whose, as Windows' own trust
// check (WinVerifyTrust) judges it. The update comes over plain HTTP: its signature is
// what tells the user, before it starts, whether the program is the maker's.
#pragma once

#include <windows.h>

#include <string>

namespace update {

enum class SignatureState {
    Signed,    // valid, from a publisher the system trusts
    NotSigned, // no signature at all, or not a kind of file that can carry one
    Invalid,   // signed, but the signature does not hold: altered, revoked, untrusted
    // Signed, but whether a certificate of the chain has been revoked could not be learnt
    // (its issuer's server did not answer): not known to hold.
    RevocationUnknown,
    Unchecked, // the system's trust check is not there
};

struct Signature {
    SignatureState state = SignatureState::Unchecked;
    std::string signer; // the signing certificate's name, when signed and readable
};

// The system's trust check (WinVerifyTrust) or a test's stand-in for it.
using TrustCheck = LONG(WINAPI*)(HWND window, GUID* action, void* data);

// The check by the system's own trust check unless another one is given.
Signature CheckSignature(const std::string& path, TrustCheck check = nullptr);

} // namespace update
