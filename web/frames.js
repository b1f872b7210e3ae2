// The frame mode: index.html?render=WxH&fps=N&at=MS,MS,... draws the demo as
// lumivane-render --size WxH --fps N --at MS,... does (every frame, the clock
// stepped; &from=MS as its --from), then sets window.lumivaneFrames to the chosen frames as PNG data
// URLs in the order of `at`, and document.title to "done". A malformed query
// sets document.title to "error: ..." instead.
window.lumivaneFrameMode = function (Module) {
  const query = new URLSearchParams(window.location.search);
  if (!query.has('render')) return false;
  const fail = (why) => { console.error('frame mode: ' + why); document.title = 'error: ' + why; };
  const size = /^(\d+)x(\d+)$/.exec(query.get('render') || '');
  const fps = Number(query.get('fps') || '60');
  const from = Number(query.get('from') || '0');
  const at = (query.get('at') || '').split(',').filter((s) => s !== '');
  if (!size || !(Number.isInteger(fps) && fps > 0) || !(Number.isInteger(from) && from >= 0) || at.length === 0 ||
      !at.every((s) => /^\d+$/.test(s))) {
    fail('expected ?render=WxH&fps=N&at=MS,MS,... [&from=MS]');
    return true;
  }
  const width = Number(size[1]), height = Number(size[2]);
  const frames = new Array(at.length);
  const scratch = document.createElement('canvas');
  scratch.width = width;
  scratch.height = height;
  const context = scratch.getContext('2d');
  Module.lumivaneFrame = function (index, pointer, w, h) {
    // RGBA rows bottom-up from GL, shown top-down and opaque.
    const image = context.createImageData(w, h);
    const rowBytes = w * 4;
    for (let y = 0; y < h; ++y) {
      const row = Module.HEAPU8.subarray(pointer + (h - 1 - y) * rowBytes, pointer + (h - y) * rowBytes);
      image.data.set(row, y * rowBytes);
    }
    for (let i = 3; i < image.data.length; i += 4) image.data[i] = 255;
    context.putImageData(image, 0, 0);
    frames[index] = scratch.toDataURL('image/png');
  };
  Module.lumivaneFramesDone = function () {
    window.lumivaneFrames = frames;
    document.title = 'done';
  };
  if (Module.ccall('lumivane_render', 'number', ['number', 'number', 'number', 'number', 'string'],
                   [width, height, fps, from, at.join(',')]) !== 0) fail('the frame mode did not start');
  return true;
};
