// The second loading peer: DuckDB's read_csv of the same day files into a table, set up as a user
// who knows the files: the column names and types, the time stamp format and the encoding given,
// nothing sniffed. Timed with one thread and with every core (threads=N), median of 5 each in one
// process. Prints one line, "version V threads1_ms A threadsN_ms B threads N"; exits 2 when the
// module is missing, 1 when a read fails or the table misses rows.
let api;
try {
    api = await import('@duckdb/node-api');
} catch {
    process.exit(2);
}
const [folder, expected, cores] = process.argv.slice(2);
const expectedRows = Number(expected);
const threads = Number(cores);

const columns = { 'DATE & TIME': 'TIMESTAMP' };
for (const name of ['T1', 'T2', 'T3', 'T4', 'T5', 'T6', 'Tds'])
    columns[`${name} [\u00B0C]`] = 'DOUBLE';
for (const name of ["V' [l/min]", 'P [W]', 'R1 [%]', 'R2 [%]', 'R3 [%]', 'R! [%]'])
    columns[name] = 'DOUBLE';
const columnList = Object.entries(columns)
    .map(([name, type]) => `'${name.replaceAll("'", "''")}': '${type}'`)
    .join(', ');
const query = `CREATE OR REPLACE TABLE year AS SELECT * FROM read_csv('${folder}/*.csv', ` +
    `auto_detect=false, header=true, delim=';', decimal_separator=',', ` +
    `columns={${columnList}}, timestampformat='%Y-%m-%d %H:%M', encoding='latin-1')`;

const instance = await api.DuckDBInstance.create(':memory:');
const connection = await instance.connect();
const version = (await connection.runAndReadAll('SELECT version()')).getRows()[0][0];

async function medianMs(threadCount) {
    await connection.run(`SET threads=${threadCount}`);
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
    return times[2];
}

try {
    const one = await medianMs(1);
    const all = await medianMs(threads);
    console.log(`version ${version} threads1_ms ${one} threadsN_ms ${all} threads ${threads}`);
} catch (error) {
    console.error(`duckdb: ${error.message}`);
    process.exit(1);
}
