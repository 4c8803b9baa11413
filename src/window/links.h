#pragma once

// The three websites behind the link labels, all on the product's own referral
// host. The host is set when the program is configured
// (-DKESTRELWICK_LINK_HOST=...); the default is a reserved name that can never
// belong to anyone else.

#ifndef KESTRELWICK_LINK_HOST
#error "KESTRELWICK_LINK_HOST must name the referral host, e.g. \"kestrelwick.example\""
#endif

#define KESTRELWICK_REFERRAL_ADDRESS "http://" KESTRELWICK_LINK_HOST

namespace kestrelwick {

inline constexpr char kUniqueArticleWizardAddress[] = KESTRELWICK_REFERRAL_ADDRESS "/uaw.php";
inline constexpr char kArticleMarketingAutomationAddress[] =
    KESTRELWICK_REFERRAL_ADDRESS "/ama.php";
inline constexpr char kMagicArticleSubmitterAddress[] = KESTRELWICK_REFERRAL_ADDRESS "/magic.php";

}  // namespace kestrelwick

#undef KESTRELWICK_REFERRAL_ADDRESS
