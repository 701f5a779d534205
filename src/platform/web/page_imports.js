// The C++ side's calls into the page (page_imports.h), forwarded to the page's script, which
// hands its object to the module as `page`.
mergeInto(LibraryManager.library, {
  $tavoriHandOver__deps: ['malloc'],
  $tavoriHandOver: function (bytes, outLength) {
    const at = _malloc(Math.max(1, bytes.length));
    HEAPU8.set(bytes, at);
    HEAP32[outLength >> 2] = bytes.length;
    return at;
  },
  tavoriPageRenderGlyph: function (code, width, height, foreground, background, form, shift, out) {
    Module['page'].renderGlyph(code, width, height, foreground >>> 0, background >>> 0, form, shift,
                               HEAPU8.subarray(out, out + width * height * 4));
  },
  tavoriPagePresent: function (pixels, deviceWidth, deviceHeight, x, y, w, h) {
    Module['page'].present(new Uint8ClampedArray(HEAPU8.buffer, pixels, deviceWidth * deviceHeight * 4),
                           deviceWidth, deviceHeight, x, y, w, h);
  },
  tavoriPageOpenWithShell: function (target, length, ownedByWindow) {
    Module['page'].openWithShell(HEAPU8.slice(target, target + length), ownedByWindow !== 0);
  },
  tavoriPageReadStored__deps: ['$tavoriHandOver'],
  tavoriPageReadStored: function (name, nameLength, limit, outLength) {
    const bytes = Module['page'].readStored(HEAPU8.slice(name, name + nameLength), limit);
    return bytes === null ? 0 : tavoriHandOver(bytes, outLength);
  },
  tavoriPageWriteStored: function (name, nameLength, bytes, length) {
    return Module['page'].writeStored(HEAPU8.slice(name, name + nameLength), HEAPU8.slice(bytes, bytes + length)) ? 1 : 0;
  },
  tavoriPageNow: function () {
    return performance.now();
  },
  tavoriPageLocalTime: function (fields) {
    const now = new Date();
    const values = [now.getFullYear(), now.getMonth() + 1, now.getDate(), now.getHours(), now.getMinutes(), now.getSeconds()];
    for (let i = 0; i < 6; i++) HEAP32[(fields >> 2) + i] = values[i];
  },
});
