#pragma once

class QJsonObject;

// Reading the values of a "Login" reply.

// The role of the logged-in user from the reply's "Role": 0 administrator, 1 operator,
// 2 web operator. A missing "Role" means the administrator (0). A whole number from 0 to 2,
// given as a JSON number or as a numeric string ("1"), is that role; anything else (another
// number, a fraction, other text, null, true, an array or an object) gives the least
// privileged role, so that no odd reply can open the administrator's functions.
int roleFromReply(const QJsonObject &reply);

// The least privileged role: the web operator.
constexpr int kLeastPrivilegedRole = 2;
