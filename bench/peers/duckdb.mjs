// The second loading peer: DuckDB's read_csv of the same day files into a table, median of 5 in
// one process. Prints the milliseconds, or nothing and exit 2 when the module is missing.
let api;
try {
    api = await import('@duckdb/node-api');
} catch {
    process.exit(2);
}
const folder = process.argv[2];
const expectedRows = Number(process.argv[3]);
const instance = await api.DuckDBInstance.create(':memory:');
const connection = await instance.connect();
const query = `CREATE OR REPLACE TABLE year AS SELECT * FROM read_csv('${folder}/*.csv', ` +
    `delim=';', decimal_separator=',', header=true, encoding='latin-1')`;
const times = [];
for (let i = 0; i < 5; ++i) {
    const t0 = process.hrtime.bigint();
    await connection.run(query);
    times.push(Number(process.hrtime.bigint() - t0) / 1e6);
}
const rows = (await connection.runAndReadAll('SELECT count(*) FROM year')).getRows()[0][0];
if (Number(rows) < expectedRows) {
    console.error(`duckdb: ${rows} rows, expected ${expectedRows}`);
    process.exit(1);
}
times.sort((a, b) => a - b);
console.log(times[2]);
