#pragma once

#include <QString>

// The member window's own reading of a birth number typed as its two parts
// (six digits, then three or four). The database derives sex, birth date and
// age; these only guide the user.

// Whether the six-digit part holds a calendar date: month 1-12 (men),
// 51-62 (women), and since 2004 also 21-32 (men) and 71-82 (women); the
// year is taken as 20YY.
bool BirthNumberDateValid(const QString& first);
// Whether the warning mark belongs to the number: a ten-digit number not
// divisible by 11, except the older numbers whose first nine digits leave
// the remainder 10 and whose check digit is 0. A nine-digit number (born
// before 1954) carries no check digit; an empty second part or a text that
// is no number gives no mark.
bool BirthNumberCheckFails(const QString& first, const QString& second);
// The category of a member by age: "zactvo" below 15, "dorost" 15-17,
// "juniori" 18-25, "vedouci" from 26.
QString CategoryByAge(int age);
