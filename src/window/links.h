#pragma once

// The three websites behind the link labels, all on the product's own referral
// host. Change the host here and nowhere else.

#define KESTRELWICK_REFERRAL_HOST "http://kestrelwick.example"

inline constexpr char kUniqueArticleWizardAddress[] = KESTRELWICK_REFERRAL_HOST "/uaw.php";
inline constexpr char kArticleMarketingAutomationAddress[] = KESTRELWICK_REFERRAL_HOST "/ama.php";
inline constexpr char kMagicArticleSubmitterAddress[] = KESTRELWICK_REFERRAL_HOST "/magic.php";

#undef KESTRELWICK_REFERRAL_HOST

// The shell's "show in its default state" window state, passed with every link.
inline constexpr int kShowDefault = 10;
