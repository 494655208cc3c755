// The five built-in crosshair images; style N shows CrosshairImageN.
//
// Each is a byte array value in read-only data that lives for the whole run: a 32-bit
// little-endian dimension count (1), a 32-bit little-endian length in bytes, then a complete
// 64 x 64 RGBA PNG file of that length. They are made at build time from 1.png to 5.png beside
// this header (target crosshair_images).
#pragma once

alignas(4) extern const unsigned char CrosshairImage1[];
alignas(4) extern const unsigned char CrosshairImage2[];
alignas(4) extern const unsigned char CrosshairImage3[];
alignas(4) extern const unsigned char CrosshairImage4[];
alignas(4) extern const unsigned char CrosshairImage5[];
