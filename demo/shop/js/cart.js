// The shopping cart lives in the browser until checkout.
function addToCart(tea) {
    var cart = JSON.parse(localStorage.getItem('cart') || '[]');
    cart.push(tea);
    localStorage.setItem('cart', JSON.stringify(cart));
}
