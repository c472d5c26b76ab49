// The cache key of an update request: the disc id read from the query as
// dvcd-update-service reads it, so that one disc is one cached answer
// however its id is written, and nothing else in the query counts.
//
// The id is the value of the first "discid=" pair; a piece after an '&'
// that holds no '=' belongs to it (an older disc's label may hold an '&');
// %XX escapes are decoded, any other byte ('+' included) is kept. The key
// is the decoded bytes in hexadecimal, so any byte is safe in it.

function hexValue(c) {
    if (c >= 48 && c <= 57) return c - 48;      // 0-9
    if (c >= 65 && c <= 70) return c - 55;      // A-F
    if (c >= 97 && c <= 102) return c - 87;     // a-f
    return -1;
}

function discKey(r) {
    const query = r.rawVariables.args;
    if (!query || query.length == 0)
        return 'none';
    // The pieces between '&'.
    const pieces = [];
    let start = 0;
    for (let i = 0; i <= query.length; i++) {
        if (i == query.length || query[i] == 38) {
            pieces.push([start, i]);
            start = i + 1;
        }
    }
    const startsWithDiscId = function (p) {
        const name = 'discid=';
        if (p[1] - p[0] < name.length) return false;
        for (let k = 0; k < name.length; k++)
            if (query[p[0] + k] != name.charCodeAt(k)) return false;
        return true;
    };
    const holdsEquals = function (p) {
        for (let k = p[0]; k < p[1]; k++)
            if (query[k] == 61) return true;
        return false;
    };
    for (let n = 0; n < pieces.length; n++) {
        if (!startsWithDiscId(pieces[n]))
            continue;
        let end = pieces[n][1];
        for (let m = n + 1; m < pieces.length && !holdsEquals(pieces[m]); m++)
            end = pieces[m][1];
        let key = 'id:';
        for (let i = pieces[n][0] + 7; i < end; i++) {
            let byte = query[i];
            if (byte == 37 && i + 2 < end && hexValue(query[i + 1]) >= 0 && hexValue(query[i + 2]) >= 0) {
                byte = hexValue(query[i + 1]) * 16 + hexValue(query[i + 2]);
                i += 2;
            }
            key += (byte < 16 ? '0' : '') + byte.toString(16);
        }
        return key;
    }
    return 'none';
}

export default { discKey };
