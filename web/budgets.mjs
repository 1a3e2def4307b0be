// Measures the page's budgets in headless Chromium: what it loads
// (compressed with gzip -9, as a server would send it), the time from
// navigation to the first frame and to ready, processor time while the
// trainer waits, and memory; saves the README's picture of the page as
// page.png beside this file. Usage: node budgets.mjs URL
import { chromium } from 'playwright-core';
import { gzipSync } from 'node:zlib';

const url = process.argv[2] || 'http://127.0.0.1:8640/';
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox'] });
const page = await browser.newPage({ viewport: { width: 1000, height: 660 } });
const loaded = new Set();
page.on('request', request => loaded.add(request.url()));
const start = Date.now();
await page.goto(url);
const firstFrame = await page.evaluate(() => window.vxrPage.ready);
const readyMs = Date.now() - start;
// The pictures past the first screen are decoded in the first moments after
// it; the processor is measured once the trainer only waits.
await page.waitForTimeout(3000);

let raw = 0;
let compressed = 0;
for (const address of loaded) {
    const response = await fetch(address);
    if (!response.ok) continue;
    const body = Buffer.from(await response.arrayBuffer());
    raw += body.length;
    compressed += gzipSync(body, { level: 9 }).length;
}
const cdp = await page.context().newCDPSession(page);
await cdp.send('Performance.enable');
const metric = async name => (await cdp.send('Performance.getMetrics')).metrics.find(m => m.name === name).value;
const before = await metric('TaskDuration');
await page.waitForTimeout(5000);
const busy = (await metric('TaskDuration')) - before;
const heap = await metric('JSHeapUsedSize');
const wasm = await page.evaluate(() => window.vxrPage.module.HEAP8.length);

console.log(`loaded: ${loaded.size} files, ${(raw / 1e6).toFixed(1)} MB, ${(compressed / 1e6).toFixed(1)} MB compressed`);
console.log(`first frame: ${Math.round(firstFrame)} ms after navigation; ready (trainer waiting) ${readyMs} ms`);
console.log(`processor while waiting 5 s: ${(100 * busy / 5).toFixed(2)} %`);
console.log(`memory: wasm ${(wasm / 1e6).toFixed(0)} MB, JavaScript heap ${(heap / 1e6).toFixed(0)} MB`);
await page.screenshot({ path: new URL('page.png', import.meta.url).pathname });
await browser.close();
