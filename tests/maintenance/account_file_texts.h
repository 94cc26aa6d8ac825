#pragma once

#include <QString>

// The account code files the two default sets give when saved, as their text.
namespace mokpe::test {

inline const QString kWCodeFileText = QStringLiteral("186,1882,電子未決\r\n"
                                                     "113,1131,電子マネー\r\n"
                                                     "842,8471,旅費交通費\r\n"
                                                     "854,8641,運賃\r\n"
                                                     "837,8451,福利厚生費\r\n"
                                                     "844,8491,交際費\r\n"
                                                     "877,8521,会議費\r\n"
                                                     "869,8991,雑費\r\n"
                                                     "853,8621,消耗品費\r\n"
                                                     "856,8661,事務用品費\r\n"
                                                     "843,8481,通信費\r\n"
                                                     "861,8711,新聞図書費\r\n"
                                                     "879,8561,リース料\r\n"
                                                     "857,8671,広告宣伝費\r\n"
                                                     "849,8591,水道光熱費\r\n"
                                                     "111,1111,現金\r\n"
                                                     "131,1311,普通預金\r\n"
                                                     "121,1211,当座預金\r\n");

inline const QString kFuurinCodeFileText = QStringLiteral("186,1800,仕訳未決定\r\n"
                                                          "113,1412,仮払金\r\n"
                                                          "842,8410,旅費交通費\r\n"
                                                          "854,8421,運賃\r\n"
                                                          "837,8351,福利厚生費\r\n"
                                                          "844,8440,交際費\r\n"
                                                          "877,8561,会議費\r\n"
                                                          "869,8599,雑費\r\n"
                                                          "853,8551,消耗品費\r\n"
                                                          "856,8550,事務用品費\r\n"
                                                          "843,8420,通信費\r\n"
                                                          "861,8560,新聞図書費\r\n"
                                                          "879,8510,賃借料\r\n"
                                                          "857,8450,広告宣伝費\r\n"
                                                          "849,8540,水道光熱費\r\n"
                                                          "111,1100,現金\r\n"
                                                          "131,1120,普通預金\r\n"
                                                          "121,1110,当座預金\r\n");

} // namespace mokpe::test
