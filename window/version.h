#pragma once

// The program's version record.

namespace quorvela::version {

inline constexpr const char* ApplicationName = "Quorvela";
inline constexpr const char* Version = "1.00.0001";
inline constexpr const char* Description = "Conversione di valori di portata";
inline constexpr const char* ApplicationId = "org.example.Quorvela";
inline constexpr const char* OrganizationDomain = "example.org";
// The address the window's caption gives for contact.
inline constexpr const char* ContactAddress = "quorvela@example.org";

}  // namespace quorvela::version
