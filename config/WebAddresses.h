// The product's web addresses, each written once. The product has no site yet: they lie on a reserved
// example domain under its own name.
#pragma once

namespace tessera {

// The maker's web site host, named in the outdated-Windows message.
inline constexpr wchar_t kWebSiteHost[] = L"tessera.example";
// The address shown and opened by the settings window's link label.
inline constexpr wchar_t kWebSiteAddress[] = L"https://tessera.example/";
// The product web page that Help and F1 open.
inline constexpr wchar_t kProductWebPage[] = L"https://tessera.example/help/";

}  // namespace tessera
