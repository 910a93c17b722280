// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b, c, x, y, z, v, u, t, s);
   input m_clock;
   input p_reset;
   input [7:0] a;
   input [3:0] b;
   input c;
   output [7:0] x;
   output y;
   output [3:0] z;
   output [7:0] v;
   output [7:0] u;
   output t;
   output [7:0] s;

   assign x = (a&b);

   assign y = (a==c);

   assign z = a;

   assign v = (a|b);

   assign u = ((a&c)^b);

   assign t = (a<b);

   assign s = ({a,c});
endmodule
