// Where the product's web pages live. A reserved example domain until the product has a site.
#pragma once

inline constexpr char kProductSite[] = "https://www.example.com";
// The page the banner pictures open.
inline constexpr char kProductPagePath[] = "/use-your-span-port";
