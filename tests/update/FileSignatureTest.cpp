// The signature check of the downloaded update, with a stand-in for the system's trust
// check: no file here is signed, and no revocation server can be reached from the tests.
#include "shell/FileSignature.h"

#include <gtest/gtest.h>

#include <softpub.h>
#include <wintrust.h>

namespace {

WINTRUST_DATA asked{};
LONG answer = ERROR_SUCCESS;

LONG WINAPI StandInCheck(HWND, GUID*, void* data)
{
    const auto* trust = static_cast<const WINTRUST_DATA*>(data);
    if (trust->dwStateAction != WTD_STATEACTION_VERIFY)
        return ERROR_SUCCESS;
    asked = *trust;
    return answer;
}

// Every certificate of the chain is asked about; a revoked one makes the signature
// invalid, and no answer about revocation is not taken for a valid signature.
TEST(FileSignatureTest, TheWholeChainIsCheckedForRevocation)
{
    using update::SignatureState;
    const std::pair<LONG, SignatureState> cases[] = {
        {CERT_E_REVOKED, SignatureState::Invalid},
        {CERT_E_REVOCATION_FAILURE, SignatureState::RevocationUnknown},
        {TRUST_E_NOSIGNATURE, SignatureState::NotSigned},
    };
    for (const auto& [status, state] : cases) {
        answer = status;
        asked = WINTRUST_DATA{};
        EXPECT_EQ(update::CheckSignature("C:\\update.exe", StandInCheck).state, state) << std::hex << status;
        EXPECT_EQ(asked.fdwRevocationChecks, static_cast<DWORD>(WTD_REVOKE_WHOLECHAIN));
        EXPECT_EQ(asked.dwProvFlags & WTD_REVOCATION_CHECK_CHAIN_EXCLUDE_ROOT,
                  static_cast<DWORD>(WTD_REVOCATION_CHECK_CHAIN_EXCLUDE_ROOT));
    }
}

} // namespace
