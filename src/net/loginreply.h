#pragma once

class QJsonObject;
class QString;

// Reading the values of a "Login" reply.

// The role of the logged-in user from the reply's "Role": 0 administrator, 1 operator,
// 2 web operator. A missing "Role" means the administrator (0). A whole number from 0 to 2,
// given as a JSON number or as a numeric string ("1"), is that role; anything else (another
// number, a fraction, other text, null, true, an array or an object) gives the least
// privileged role, so that no odd reply can open the administrator's functions.
int roleFromReply(const QJsonObject &reply);

// The least privileged role: the web operator.
constexpr int kLeastPrivilegedRole = 2;

// Whether a "SessionId" can travel in the "session_id" header of every later request:
// printable ASCII only (space to "~"), at most kMaxSessionIdLength characters. CR, LF and
// the other control characters would end the header and start others of the sender's
// choosing; anything outside ASCII has no single byte form.
bool isUsableSessionId(const QString &id);

constexpr int kMaxSessionIdLength = 1024;
