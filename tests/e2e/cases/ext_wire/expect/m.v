// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b, o);
   input m_clock;
   input p_reset;
   input [3:0] a;
   input [3:0] b;
   output [3:0] o;
   wire [3:0] t;
   wire u;

   assign o = (t|({3'b000,u}));

   assign t = (a&b);

   assign u = a[0];
endmodule
