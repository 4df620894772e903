// The page test (page.test.mjs) on @playwright/test: one project for each
// profile, in Debian's Chromium, one after another. The build folder comes
// from KORINDO_PAGE_BUILD (build-wasm); the results, with a picture of the
// page at each failed step, go to its folder page-test/.
import { defineConfig } from '@playwright/test';
import { resolve } from 'node:path';
import { chromiumOptions } from './browser.mjs';

const build = resolve(process.env.KORINDO_PAGE_BUILD ?? 'build-wasm');

export default defineConfig({
    testDir: '.',
    testMatch: 'page.test.mjs',
    outputDir: `${build}/page-test`,
    // A profile takes a few minutes on two busy cores.
    timeout: 20 * 60 * 1000,
    workers: 1,
    retries: 0,
    forbidOnly: true,
    reporter: [['list']],
    use: { browserName: 'chromium', launchOptions: chromiumOptions },
    projects: [
        { name: 'wide' },
        { name: 'narrow' },
        { name: '360', metadata: { phone: { width: 360, height: 640 } } },
        { name: '390', metadata: { phone: { width: 390, height: 844 } } },
    ],
});
