#pragma once
#include "state/App.h"

namespace lingvora {

// The account the project's bank transfers go to, shown as written.
inline constexpr TextView kDonationAccountNumber = u"12 3456 7890 0000 1111 2222 3333";

// Installer page 6: the request for support, the bank block and the PayPal
// button; with the donation mode on, Next waits out a nine-second countdown.
void showDonationPage(App& app);

// Stops the countdown; a tick that still arrives changes nothing. Run
// whenever the pages are reset, so the timer never outlives its page.
void stopDonationCountdown(App& app);

}  // namespace lingvora
